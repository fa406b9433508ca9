#include "tools/hostsim/recorder.h"

#include <cstdint>
#include <cstring>

namespace hostsim {
namespace {

// Writes one 16-byte event record as the host reads it: value bytes 0-7,
// kind code at bytes 8-11.
void PutRecord(JsonLine& line, const Foundation::EventVariant& record) {
  unsigned char bytes[sizeof(Foundation::EventVariant)];
  std::memcpy(bytes, &record, sizeof bytes);
  std::uint32_t kind;
  std::memcpy(&kind, bytes + 8, sizeof kind);
  line.BeginObject();
  switch (kind) {
    case Foundation::EventVariant::kEmpty:
      line.Key("empty").Bool(true);
      break;
    case Foundation::EventVariant::kInt: {
      std::int32_t value;
      std::memcpy(&value, bytes, sizeof value);
      line.Key("int").Int(value);
      break;
    }
    case Foundation::EventVariant::kReal: {
      double value;
      std::memcpy(&value, bytes, sizeof value);
      line.Key("real").Real(value);
      break;
    }
    case Foundation::EventVariant::kBool:
      line.Key("bool").Bool(bytes[0] != 0);
      break;
    case Foundation::EventVariant::kText:
    case Foundation::EventVariant::kText2: {
      const char* text;
      std::memcpy(&text, bytes, sizeof text);
      line.Key(kind == Foundation::EventVariant::kText ? "text" : "text2").Text(text);
      break;
    }
    default:
      // Not a kind of the contract: show the code rather than guess.
      line.Key("kind").UInt(kind);
  }
  line.EndObject();
}

}  // namespace

void Recorder::Emit(const JsonLine& line) {
  if (before_line_ && !in_hook_) {
    in_hook_ = true;
    before_line_();
    in_hook_ = false;
  }
  sink_->WriteLine(line.text());
}

void Recorder::Text(std::string_view key, const char* text) {
  Emit(JsonLine().BeginObject().Key(key).Text(text).EndObject());
}

void Recorder::Flag(std::string_view key, bool value) {
  Emit(JsonLine().BeginObject().Key(key).Bool(value).EndObject());
}

namespace {

void PutNames(JsonLine& line, const std::vector<std::string>* names) {
  if (names == nullptr) {
    line.Bool(false);
    return;
  }
  line.BeginArray();
  for (const std::string& name : *names) line.String(name);
  line.EndArray();
}

}  // namespace

void Recorder::NameList(std::string_view key, const char* name, std::string_view list_key,
                        const std::vector<std::string>* names) {
  JsonLine line;
  line.BeginObject().Key(key).Text(name).Key(list_key);
  PutNames(line, names);
  Emit(line.EndObject());
}

void Recorder::ParamNames(const std::vector<std::string>* names) {
  JsonLine line;
  line.BeginObject().Key("paramNames");
  PutNames(line, names);
  Emit(line.EndObject());
}

void Recorder::Event(const char* name, const Foundation::EventVariant* records, int count) {
  JsonLine line;
  line.BeginObject().Key("event").Text(name).Key("args").BeginArray();
  if (records != nullptr) {
    for (int i = 0; i < count; ++i) PutRecord(line, records[i]);
  }
  Emit(line.EndArray().EndObject());
  if (records == nullptr && count > 0) {
    Text("error", "FirePageEvent: " + std::to_string(count) + " arguments given without records");
  }
}

}  // namespace hostsim
