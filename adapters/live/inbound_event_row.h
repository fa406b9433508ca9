// Inbound Protocol2 events described as data: the event's name, the page
// event it fires and where each argument comes from.  Most of the live-view
// adapter's events are nothing more than that; the few that compute their
// arguments name a member function of the adapter instead.
#ifndef SHIMWELL_ADAPTERS_LIVE_INBOUND_EVENT_ROW_H_
#define SHIMWELL_ADAPTERS_LIVE_INBOUND_EVENT_ROW_H_

#include <cstdint>
#include <vector>

#include <json/value.h>

#include "adapters/live/page_event.h"
#include "host/host_context.h"

namespace Shimwell {

class CShimwell;

// Where one argument of a page event comes from.
struct ArgSpec {
  enum From {
    kInt,                 // member `name` as an integer
    kReal,                // member `name` as a real
    kBool,                // member `name` as a boolean
    kText,                // member `name` as a text
    kTextOrEmpty,         // member `name` if it is a string, else the empty text
    kAfterLastBackslash,  // member `name` as a text, cut after its last backslash
    kStyled,              // member `name`, whatever its type, in the styled layout
    kConstInt,            // the integer `value`
    kEmptyText,           // the empty text
    kConstText,           // the text `name`
  };
  From from;
  const char* name;
  std::int32_t value;

  // Reads this argument from an event's "params"; throws as event_params.h says.
  EventArg Read(const Json::Value& params) const;
};

struct InboundEventRow {
  const char* inbound;     // the Protocol2 event name
  const char* page_event;  // the page event fired from `args`
  std::vector<ArgSpec> args;
  // Set for rows whose page event needs more than `args` can say.
  void (CShimwell::*handler)(const Json::Value& params);
};

// The live-view adapter's inbound events, in the order they enter the table.
const std::vector<InboundEventRow>& LiveInboundEvents();

// Binds one data row to the host it fires into, so the row can sit in the
// inbound-event table as an (object, member function) handler.
class InboundEventRowHandler {
 public:
  InboundEventRowHandler() = default;
  InboundEventRowHandler(const OrvikComponentInterface::HostContext* host,
                         const InboundEventRow* row)
      : host_(host), row_(row) {}

  // Reads every argument first, then fires the row's page event.
  void Fire(const Json::Value& params);

 private:
  const OrvikComponentInterface::HostContext* host_ = nullptr;
  const InboundEventRow* row_ = nullptr;
};

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_LIVE_INBOUND_EVENT_ROW_H_
