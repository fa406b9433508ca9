#include "adapters/live/page_event.h"

#include <stdexcept>
#include <utility>

#include "runtime/json_text.h"

namespace Shimwell {

using Foundation::EventVariant;

EventArg EventArg::Int(std::int32_t value) {
  EventArg arg;
  arg.kind_ = EventVariant::kInt;
  arg.int_ = value;
  return arg;
}

EventArg EventArg::Real(double value) {
  EventArg arg;
  arg.kind_ = EventVariant::kReal;
  arg.real_ = value;
  return arg;
}

EventArg EventArg::Bool(bool value) {
  EventArg arg;
  arg.kind_ = EventVariant::kBool;
  arg.bool_ = value;
  return arg;
}

EventArg EventArg::Text(std::string value) {
  EventArg arg;
  arg.kind_ = EventVariant::kText;
  arg.text_ = std::move(value);
  return arg;
}

EventArg EventArg::BorrowedText(const char* text) {
  EventArg arg;
  arg.kind_ = EventVariant::kText;
  arg.borrowed_ = text;
  return arg;
}

void EventArg::WriteTo(EventVariant* record) const {
  switch (kind_) {
    case EventVariant::kInt:
      record->SetInt(int_);
      break;
    case EventVariant::kReal:
      record->SetReal(real_);
      break;
    case EventVariant::kBool:
      record->SetBool(bool_);
      break;
    case EventVariant::kText:
    case EventVariant::kText2:
      record->SetText(borrowed_ != nullptr ? borrowed_ : text_.c_str());
      break;
    case EventVariant::kEmpty:
      break;
  }
}

namespace {

Json::Value Message(const char* event, const Json::Value& params) {
  Json::Value message(Json::objectValue);
  message["event"] = event;
  message["params"] = params;
  return message;
}

}  // namespace

void FirePageEvent(const OrvikComponentInterface::HostContext* host, const char* name, const EventArg* args,
                   std::size_t count) {
  if (count > kMaxEventArgs) throw std::length_error("too many page-event arguments");
  // On the stack, made empty; destroyed (released) last element first.
  EventVariant records[kMaxEventArgs];
  for (std::size_t i = 0; i < count; ++i) args[i].WriteTo(&records[i]);
  if (host == nullptr) return;
  OrvikComponentInterface::CallPair(host->FirePageEvent, name, count == 0 ? nullptr : records,
                                    static_cast<int>(count));
}

void FirePageEvent(const OrvikComponentInterface::HostContext* host, const char* name,
                   const std::vector<EventArg>& args) {
  FirePageEvent(host, name, args.data(), args.size());
}

void FirePageEvent(const OrvikComponentInterface::HostContext* host, const char* name,
                   std::initializer_list<EventArg> args) {
  FirePageEvent(host, name, args.begin(), args.size());
}

std::string StyledMessage(const char* event, const Json::Value& params) {
  return Foundation::WriteStyled(Message(event, params));
}

std::string CompactMessage(const char* event, const Json::Value& params) {
  return Foundation::WriteCompactSpaced(Message(event, params));
}

}  // namespace Shimwell
