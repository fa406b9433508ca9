#include "runtime/json_text.h"

#include <charconv>
#include <cstdio>
#include <cstring>
#include <memory>
#include <mutex>

#include <json/reader.h>
#include <json/value.h>

namespace Foundation {
namespace {

// Arrays of more elements, or whose one-line form would reach the right
// margin, are written one element per line.
constexpr Json::ArrayIndex kMaxInlineElements = 24;
constexpr std::size_t kRightMargin = 74;
constexpr std::size_t kIndentWidth = 3;

void AppendQuoted(const char* begin, const char* end, std::string* out) {
  out->push_back('"');
  const char* run = begin;
  for (const char* p = begin; p != end; ++p) {
    char escaped;
    switch (*p) {
      case '"': escaped = '"'; break;
      case '\\': escaped = '\\'; break;
      case '/': escaped = '/'; break;
      case '\b': escaped = 'b'; break;
      case '\f': escaped = 'f'; break;
      case '\n': escaped = 'n'; break;
      case '\r': escaped = 'r'; break;
      case '\t': escaped = 't'; break;
      default: continue;
    }
    out->append(run, p);
    out->push_back('\\');
    out->push_back(escaped);
    run = p + 1;
  }
  out->append(run, end);
  out->push_back('"');
}

template <typename Integer>
void AppendInteger(Integer value, std::string* out) {
  char digits[24];
  out->append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// "%#.16g", then trailing zeros after the point dropped down to one digit.
// Exponent forms, infinities and NaN stay as printed.
void AppendReal(double value, std::string* out) {
  char text[40];
  int printed = std::snprintf(text, sizeof text, "%#.16g", value);
  if (printed <= 0) return;
  std::size_t length = static_cast<std::size_t>(printed);
  // A locale may print another decimal point; JSON needs '.'.
  for (std::size_t i = 0; i < length; ++i) {
    if (text[i] == ',') text[i] = '.';
  }
  const char* point = static_cast<const char*>(std::memchr(text, '.', length));
  if (point == nullptr || std::memchr(text, 'e', length) != nullptr) {
    out->append(text, length);
    return;
  }
  const std::size_t first_decimal = static_cast<std::size_t>(point - text) + 1;
  while (length > first_decimal + 1 && text[length - 1] == '0') --length;
  out->append(text, length);
  if (length == first_decimal) out->push_back('0');
}

// Writes null, numbers, booleans and strings; false for arrays and objects.
bool AppendScalar(const Json::Value& value, std::string* out) {
  switch (value.type()) {
    case Json::nullValue:
      out->append("null");
      return true;
    case Json::intValue:
      AppendInteger(value.asLargestInt(), out);
      return true;
    case Json::uintValue:
      AppendInteger(value.asLargestUInt(), out);
      return true;
    case Json::realValue:
      AppendReal(value.asDouble(), out);
      return true;
    case Json::booleanValue:
      out->append(value.asBool() ? "true" : "false");
      return true;
    case Json::stringValue: {
      const char* begin = nullptr;
      const char* end = nullptr;
      value.getString(&begin, &end);
      AppendQuoted(begin, end, out);
      return true;
    }
    case Json::arrayValue:
    case Json::objectValue:
      break;
  }
  return false;
}

void AppendMemberName(const Json::ValueConstIterator& member, std::string* out) {
  const char* end = nullptr;
  const char* begin = member.memberName(&end);
  AppendQuoted(begin, end, out);
  out->append(" : ");
}

bool IsNonEmptyContainer(const Json::Value& value) {
  return (value.isArray() || value.isObject()) && !value.empty();
}

// One line: "{ " members joined by ", " then " }", arrays likewise in
// square brackets.
void WriteCompact(const Json::Value& value, std::string* out) {
  if (AppendScalar(value, out)) return;
  if (value.empty()) {
    out->append(value.isArray() ? "[]" : "{}");
    return;
  }
  const bool object = value.isObject();
  out->append(object ? "{ " : "[ ");
  const auto end = value.end();
  bool first = true;
  for (auto element = value.begin(); element != end; ++element, first = false) {
    if (!first) out->append(", ");
    if (object) AppendMemberName(element, out);
    WriteCompact(*element, out);
  }
  out->append(object ? " }" : " ]");
}

class StyledWriter {
 public:
  explicit StyledWriter(std::string* out) : out_(out) {}

  // Writes `value` from the current position; its inner lines are indented
  // one level deeper than `depth`.
  void Write(const Json::Value& value, std::size_t depth) {
    if (!IsNonEmptyContainer(value)) {
      WriteCompact(value, out_);  // scalars and {} and [] read the same in both forms
    } else if (value.isObject() || !TryInlineArray(value)) {
      WriteLines(value, depth);
    }
  }

 private:
  void NewLine(std::size_t depth) {
    out_->push_back('\n');
    out_->append(depth * kIndentWidth, ' ');
  }

  // Writes "[ a, b ]" when the array is short and flat enough; otherwise
  // leaves the text as it was and returns false.
  bool TryInlineArray(const Json::Value& value) {
    if (value.size() > kMaxInlineElements) return false;
    for (const Json::Value& element : value) {
      if (IsNonEmptyContainer(element)) return false;
    }
    // A flat array's one-line form is its compact form.
    const std::size_t start = out_->size();
    WriteCompact(value, out_);
    if (out_->size() - start < kRightMargin) return true;
    out_->resize(start);
    return false;
  }

  // One member or element per line, one level deeper than the brackets.
  void WriteLines(const Json::Value& value, std::size_t depth) {
    const bool object = value.isObject();
    out_->push_back(object ? '{' : '[');
    const auto end = value.end();
    bool first = true;
    for (auto element = value.begin(); element != end; ++element, first = false) {
      if (!first) out_->push_back(',');
      NewLine(depth + 1);
      if (object) AppendMemberName(element, out_);
      Write(*element, depth + 1);
    }
    NewLine(depth);
    out_->push_back(object ? '}' : ']');
  }

  std::string* out_;
};

}  // namespace

std::string WriteStyled(const Json::Value& value) {
  std::string text;
  text.reserve(256);
  StyledWriter(&text).Write(value, 0);
  text.push_back('\n');
  return text;
}

std::string WriteCompactSpaced(const Json::Value& value) {
  std::string text;
  text.reserve(128);
  WriteCompact(value, &text);
  text.push_back('\n');
  return text;
}

namespace {

// Making a reader costs more than parsing a short call text or reply, so one
// reader of each kind is made on first use and kept; the lock makes that safe
// for a host that calls from more than one thread.
class SharedReaders {
 public:
  bool Parse(const char* begin, const char* end, Json::Value* value, bool collect_comments) {
    const std::lock_guard<std::mutex> lock(mutex_);
    std::unique_ptr<Json::CharReader>& reader = readers_[collect_comments ? 1 : 0];
    if (!reader) {
      Json::CharReaderBuilder builder;
      builder["collectComments"] = collect_comments;
      reader.reset(builder.newCharReader());
    }
    // The reader throws rather than fail on some hostile texts (nesting
    // deeper than its stack limit); those are texts that do not parse, like
    // any other.  A reader that threw is not trusted again.
    try {
      return reader->parse(begin, end, value, nullptr);
    } catch (const std::exception&) {
      reader.reset();
      return false;
    }
  }

 private:
  std::mutex mutex_;
  std::unique_ptr<Json::CharReader> readers_[2];
};

SharedReaders& Readers() {
  static SharedReaders readers;
  return readers;
}

}  // namespace

bool ReadJson(const char* begin, const char* end, Json::Value* value, bool collect_comments) {
  return Readers().Parse(begin, end, value, collect_comments);
}

bool ReadJson(const char* text, Json::Value* value, bool collect_comments) {
  if (text == nullptr) return false;
  return ReadJson(text, text + std::strlen(text), value, collect_comments);
}

}  // namespace Foundation
