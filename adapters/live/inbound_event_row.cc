#include "adapters/live/inbound_event_row.h"

#include "adapters/live/event_params.h"
#include "runtime/json_text.h"

namespace Shimwell {

EventArg ArgSpec::Read(const Json::Value& params) const {
  switch (from) {
    case kInt:
      return EventArg::Int(ParamInt(params, name));
    case kReal:
      return EventArg::Real(ParamReal(params, name));
    case kBool:
      return EventArg::Bool(ParamBool(params, name));
    case kText:
      return EventArg::Text(ParamText(params, name));
    case kTextOrEmpty:
      return EventArg::Text(ParamTextOrEmpty(params, name));
    case kAfterLastBackslash:
      return EventArg::Text(AfterLastBackslash(ParamText(params, name)));
    case kStyled:
      return EventArg::Text(Foundation::WriteStyled(params[name]));
    case kConstInt:
      return EventArg::Int(value);
    case kEmptyText:
      return EventArg::Text(std::string());
    case kConstText:
      return EventArg::Text(name);
  }
  return EventArg::Text(std::string());
}

void InboundEventRowHandler::Fire(const Json::Value& params) {
  std::vector<EventArg> args;
  args.reserve(row_->args.size());
  for (const ArgSpec& spec : row_->args) args.push_back(spec.Read(params));
  FirePageEvent(host_, row_->page_event, args);
}

}  // namespace Shimwell
