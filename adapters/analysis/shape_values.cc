#include "adapters/analysis/shape_values.h"

#include <cctype>
#include <cstddef>
#include <cstring>
#include <limits>

namespace Shimwell {

namespace {

constexpr std::int64_t kMin32 = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kMax32 = std::numeric_limits<std::int32_t>::max();

}  // namespace

std::int32_t ReadDecimal(const std::string& text) {
  std::size_t i = 0;
  while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  // Accumulated as a negative number so that the lowest value fits; stops
  // growing once it is past the range.
  std::int64_t value = 0;
  for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
    if (value >= -kMax32 - 1) value = value * 10 - (text[i] - '0');
  }
  if (!negative) value = -value;
  if (value < kMin32) return static_cast<std::int32_t>(kMin32);
  if (value > kMax32) return static_cast<std::int32_t>(kMax32);
  return static_cast<std::int32_t>(value);
}

bool ReadInt32(const Json::Value& value, std::int32_t* out) {
  switch (value.type()) {
    case Json::intValue:
    case Json::uintValue:
      if (!value.isInt()) return false;
      *out = value.asInt();
      return true;
    case Json::realValue: {
      const double real = value.asDouble();
      // Cut toward zero, everything strictly between the neighbours of the range fits.
      if (!(real > static_cast<double>(kMin32) - 1.0 && real < static_cast<double>(kMax32) + 1.0)) {
        return false;
      }
      *out = static_cast<std::int32_t>(real);
      return true;
    }
    case Json::booleanValue:
      *out = value.asBool() ? 1 : 0;
      return true;
    default:
      return false;
  }
}

std::int32_t Int32OrZero(const Json::Value& value) {
  std::int32_t number = 0;
  return ReadInt32(value, &number) ? number : 0;
}

const Json::Value& ElementOrNull(const Json::Value& array, Json::ArrayIndex index) {
  static const Json::Value kNull;
  return array.isArray() && index < array.size() ? array[index] : kNull;
}

const Json::Value& MemberOrNull(const Json::Value& object, const char* name) {
  static const Json::Value kNull;
  if (!object.isObject()) return kNull;
  const Json::Value* member = object.find(name, name + std::strlen(name));
  return member != nullptr ? *member : kNull;
}

TwoPointRect ReadTwoPointRect(const Json::Value& value) {
  const Json::Value& first = ElementOrNull(value, 0);
  const Json::Value& second = ElementOrNull(value, 1);
  TwoPointRect rect;
  rect.x1 = Int32OrZero(ElementOrNull(first, 0));
  rect.y1 = Int32OrZero(ElementOrNull(first, 1));
  rect.x2 = Int32OrZero(ElementOrNull(second, 0));
  rect.y2 = Int32OrZero(ElementOrNull(second, 1));
  return rect;
}

}  // namespace Shimwell
