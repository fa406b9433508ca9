#include "adapters/live/inbound_event_row.h"

#include "adapters/live/event_params.h"
#include "runtime/json_text.h"

namespace Shimwell {

namespace {

// A text member of the params is handed to the record as it stands in the
// parsed value (JsonCpp keeps it NUL-terminated), with no copy between;
// anything else is null.
const char* TextMember(const Json::Value& params, const char* name) {
  const Json::Value& value = params[name];
  return value.isString() ? value.asCString() : nullptr;
}

// What follows the last backslash of a text member, found in the whole text
// as AfterLastBackslash does; null when the member is no text.
const char* AfterLastBackslashMember(const Json::Value& params, const char* name) {
  const char* begin = nullptr;
  const char* end = nullptr;
  if (!params[name].getString(&begin, &end)) return nullptr;
  for (const char* at = end; at != begin; --at) {
    if (at[-1] == '\\') return at;
  }
  return begin;
}

}  // namespace

EventArg ArgSpec::Read(const Json::Value& params) const {
  switch (from) {
    case kInt:
      return EventArg::Int(ParamInt(params, name));
    case kReal:
      return EventArg::Real(ParamReal(params, name));
    case kBool:
      return EventArg::Bool(ParamBool(params, name));
    case kText:
      if (const char* text = TextMember(params, name)) return EventArg::BorrowedText(text);
      return EventArg::Text(ParamText(params, name));
    case kTextOrEmpty:
      return EventArg::Text(ParamTextOrEmpty(params, name));
    case kAfterLastBackslash:
      if (const char* text = AfterLastBackslashMember(params, name)) return EventArg::BorrowedText(text);
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
  // On the stack: an event's few arguments need no heap block.  A row of
  // more than kMaxEventArgs is refused by FirePageEvent, unread.
  EventArg args[kMaxEventArgs];
  const std::size_t count = row_->args.size();
  if (count > kMaxEventArgs) return FirePageEvent(host_, row_->page_event, nullptr, count);
  for (std::size_t i = 0; i < count; ++i) args[i] = row_->args[i].Read(params);
  FirePageEvent(host_, row_->page_event, args, count);
}

}  // namespace Shimwell
