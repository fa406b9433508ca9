#include "tools/hostsim/json_line.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace hostsim {
namespace {

// The shortest "%.*g" form of `value` that reads back as the same value of
// type T, with ".0" appended to a whole number so that it stays a real.
// Whole numbers below 10^max_digits are written out, not with an exponent.
template <typename T>
std::string ShortestReal(T value, int max_digits) {
  if (!std::isfinite(value)) return "null";
  char buffer[400];  // room for any double in "%g"
  int digits = 1;
  for (;; ++digits) {
    std::snprintf(buffer, sizeof buffer, "%.*g", digits, static_cast<double>(value));
    if (digits == max_digits || static_cast<T>(std::strtod(buffer, nullptr)) == value) break;
  }
  if (const char* e = std::strchr(buffer, 'e')) {
    const long exponent = std::strtol(e + 1, nullptr, 10);
    if (exponent >= digits && exponent < max_digits) {
      std::snprintf(buffer, sizeof buffer, "%.*g", static_cast<int>(exponent) + 1, static_cast<double>(value));
    }
  }
  std::string text(buffer);
  if (text.find_first_of(".e") == std::string::npos) text += ".0";
  return text;
}

}  // namespace

void JsonLine::Separate() {
  if (after_key_) {
    after_key_ = false;
    return;
  }
  if (has_element_.empty()) return;
  if (has_element_.back()) text_ += ", ";
  has_element_.back() = true;
}

JsonLine& JsonLine::Raw(std::string_view raw) {
  Separate();
  text_ += raw;
  return *this;
}

JsonLine& JsonLine::BeginObject() {
  Raw("{");
  has_element_.push_back(false);
  return *this;
}

JsonLine& JsonLine::Close(char bracket) {
  has_element_.pop_back();
  text_ += bracket;
  return *this;
}

JsonLine& JsonLine::EndObject() { return Close('}'); }

JsonLine& JsonLine::BeginArray() {
  Raw("[");
  has_element_.push_back(false);
  return *this;
}

JsonLine& JsonLine::EndArray() { return Close(']'); }

JsonLine& JsonLine::Key(std::string_view key) {
  String(key);
  text_ += ": ";
  after_key_ = true;
  return *this;
}

JsonLine& JsonLine::Null() { return Raw("null"); }
JsonLine& JsonLine::Bool(bool value) { return Raw(value ? "true" : "false"); }
JsonLine& JsonLine::Int(std::int64_t value) { return Raw(std::to_string(value)); }
JsonLine& JsonLine::UInt(std::uint64_t value) { return Raw(std::to_string(value)); }
JsonLine& JsonLine::Real(double value) { return Raw(ShortestReal(value, 17)); }
JsonLine& JsonLine::Float(float value) { return Raw(ShortestReal(value, 9)); }

JsonLine& JsonLine::String(std::string_view text) {
  Separate();
  text_ += '"';
  for (char c : text) {
    switch (c) {
      case '"': text_ += "\\\""; break;
      case '\\': text_ += "\\\\"; break;
      case '\b': text_ += "\\b"; break;
      case '\f': text_ += "\\f"; break;
      case '\n': text_ += "\\n"; break;
      case '\r': text_ += "\\r"; break;
      case '\t': text_ += "\\t"; break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(static_cast<unsigned char>(c)));
          text_ += escape;
        } else {
          text_ += c;
        }
    }
  }
  text_ += '"';
  return *this;
}

JsonLine& JsonLine::Text(const char* text) { return text ? String(text) : Null(); }

JsonLine& JsonLine::Value(const Json::Value& value) {
  switch (value.type()) {
    case Json::nullValue: return Null();
    case Json::intValue: return Int(value.asInt64());
    case Json::uintValue: return UInt(value.asUInt64());
    case Json::realValue: return Real(value.asDouble());
    case Json::stringValue: return String(value.asString());
    case Json::booleanValue: return Bool(value.asBool());
    case Json::arrayValue:
      BeginArray();
      for (const Json::Value& element : value) Value(element);
      return EndArray();
    case Json::objectValue:
      BeginObject();
      for (auto it = value.begin(); it != value.end(); ++it) Key(it.name()).Value(*it);
      return EndObject();
  }
  return Null();
}

std::string WriteJsonLine(const Json::Value& value) { return JsonLine().Value(value).text(); }

}  // namespace hostsim
