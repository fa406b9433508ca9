// JsonLine: writes one compact JSON text with members in the order given.
//
// The simulator's output lines put the command key first, which a JSON
// library with sorted objects cannot do.  The layout is fixed: ": " after a
// key, ", " between members and elements, strings escaped as JSON (bytes of
// 0x80 and above are copied as they are), reals in their shortest exact form
// with ".0" when they hold a whole number.
#ifndef SHIMWELL_TOOLS_HOSTSIM_JSON_LINE_H_
#define SHIMWELL_TOOLS_HOSTSIM_JSON_LINE_H_

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include <json/value.h>

namespace hostsim {

class JsonLine {
 public:
  JsonLine& BeginObject();
  JsonLine& EndObject();
  JsonLine& BeginArray();
  JsonLine& EndArray();
  JsonLine& Key(std::string_view key);

  JsonLine& Null();
  JsonLine& Bool(bool value);
  JsonLine& Int(std::int64_t value);
  JsonLine& UInt(std::uint64_t value);
  JsonLine& Real(double value);
  // A 32-bit float in the shortest form that reads back as the same float.
  JsonLine& Float(float value);
  JsonLine& String(std::string_view text);
  // A C text; a null pointer is written as null.
  JsonLine& Text(const char* text);
  // Any JsonCpp value; its object members come in JsonCpp's (sorted) order.
  JsonLine& Value(const Json::Value& value);

  // Overloads for writing argument lists generically.
  JsonLine& Put(bool value) { return Bool(value); }
  JsonLine& Put(int value) { return Int(value); }
  JsonLine& Put(unsigned int value) { return UInt(value); }
  JsonLine& Put(float value) { return Float(value); }
  JsonLine& Put(double value) { return Real(value); }
  JsonLine& Put(const char* text) { return Text(text); }

  const std::string& text() const { return text_; }

 private:
  void Separate();
  JsonLine& Raw(std::string_view raw);
  JsonLine& Close(char bracket);

  std::string text_;
  // One entry per open object or array: whether it has an element yet.
  std::vector<bool> has_element_;
  bool after_key_ = false;
};

// Writes `value` as one compact line, e.g. for a call text built from a
// script's "params".
std::string WriteJsonLine(const Json::Value& value);

}  // namespace hostsim

#endif  // SHIMWELL_TOOLS_HOSTSIM_JSON_LINE_H_
