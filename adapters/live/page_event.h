// The page-event envelope: a named event with typed arguments, fired through
// the host's FirePageEvent pair.  Every adapter fires its events this way.
//
// The arguments are read into EventArg values first and only then written
// into the EventVariant records, so a value that cannot be read (an exception
// while reading) never leads to an event with arguments that were not read.
#ifndef SHIMWELL_ADAPTERS_LIVE_PAGE_EVENT_H_
#define SHIMWELL_ADAPTERS_LIVE_PAGE_EVENT_H_

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include <json/value.h>

#include "host/host_context.h"
#include "runtime/event_variant.h"

namespace Shimwell {

// One typed argument of a page event.
class EventArg {
 public:
  static EventArg Int(std::int32_t value);
  static EventArg Real(double value);
  static EventArg Bool(bool value);
  static EventArg Text(std::string value);  // the empty text goes out as a null pointer
  // A text owned elsewhere that outlives the firing, such as a member of the
  // parsed params: the record copies it straight from there.
  static EventArg BorrowedText(const char* text);

  void WriteTo(Foundation::EventVariant* record) const;

 private:
  Foundation::EventVariant::Kind kind_ = Foundation::EventVariant::kEmpty;
  std::int32_t int_ = 0;
  double real_ = 0.0;
  bool bool_ = false;
  std::string text_;
  const char* borrowed_ = nullptr;
};

// The most arguments any page event carries.
constexpr std::size_t kMaxEventArgs = 7;

// Makes the records, fires `name` with them (a null array for no arguments)
// and releases them, last first.  An unbound FirePageEvent pair fires nothing.
// More than kMaxEventArgs arguments is a programming error: std::length_error.
void FirePageEvent(const OrvikComponentInterface::HostContext* host, const char* name,
                   const std::vector<EventArg>& args);
void FirePageEvent(const OrvikComponentInterface::HostContext* host, const char* name, const EventArg* args,
                   std::size_t count);
void FirePageEvent(const OrvikComponentInterface::HostContext* host, const char* name,
                   std::initializer_list<EventArg> args);

// {"event": event, "params": params} as the page event "message" carries it,
// in the styled or the one-line compact-spaced layout.
std::string StyledMessage(const char* event, const Json::Value& params);
std::string CompactMessage(const char* event, const Json::Value& params);

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_LIVE_PAGE_EVENT_H_
