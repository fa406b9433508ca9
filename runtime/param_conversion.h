// How a page method's parameters and results cross between JSON and C++.
//
// ParamConversion<T> says, for a parameter type T, which JSON values a call
// may carry for it (Accepts), what value the member function receives
// (Convert: anything unusable gives the type's default), and what the
// parameter template shows (Default).  ResultToJson types the reply's
// "result".  `long` is a signed 32-bit number on every platform.
#ifndef SHIMWELL_RUNTIME_PARAM_CONVERSION_H_
#define SHIMWELL_RUNTIME_PARAM_CONVERSION_H_

#include <cmath>
#include <cstdint>

#include <json/value.h>

namespace Foundation {
namespace Detail {

// A JSON number as a 32-bit pattern: the value truncated toward zero, taken
// modulo 2^32.  So 4294967295 gives all bits set, -2.7 gives -2, and numbers
// beyond 32 bits keep their low 32 bits.  Anything else gives 0.
inline std::uint32_t NumberBits(const Json::Value& value) {
  switch (value.type()) {
    case Json::intValue:
      return static_cast<std::uint32_t>(value.asLargestInt());
    case Json::uintValue:
      return static_cast<std::uint32_t>(value.asLargestUInt());
    case Json::realValue: {
      const double truncated = std::trunc(value.asDouble());
      if (!std::isfinite(truncated)) return 0;
      double low = std::fmod(truncated, 4294967296.0);
      if (low < 0) low += 4294967296.0;
      return static_cast<std::uint32_t>(low);
    }
    default:
      return 0;
  }
}

inline bool IsNumber(const Json::Value& value) {
  return value.type() == Json::intValue || value.type() == Json::uintValue ||
         value.type() == Json::realValue;
}

}  // namespace Detail

template <typename T>
struct ParamConversion;

template <>
struct ParamConversion<int> {
  static bool Accepts(const Json::Value& value) { return Detail::IsNumber(value); }
  static int Convert(const Json::Value& value) {
    return static_cast<int>(Detail::NumberBits(value));
  }
  static Json::Value Default() { return Json::Value(0); }
};

template <>
struct ParamConversion<long> {
  static bool Accepts(const Json::Value& value) { return Detail::IsNumber(value); }
  static long Convert(const Json::Value& value) {
    return static_cast<std::int32_t>(Detail::NumberBits(value));
  }
  static Json::Value Default() { return Json::Value(0); }
};

template <>
struct ParamConversion<unsigned int> {
  static bool Accepts(const Json::Value& value) { return Detail::IsNumber(value); }
  static unsigned int Convert(const Json::Value& value) { return Detail::NumberBits(value); }
  static Json::Value Default() { return Json::Value(0); }
};

template <>
struct ParamConversion<bool> {
  static bool Accepts(const Json::Value& value) { return value.isBool(); }
  static bool Convert(const Json::Value& value) { return value.isBool() && value.asBool(); }
  static Json::Value Default() { return Json::Value(false); }
};

// The text stays valid while `value` lives, that is for the whole call.
template <>
struct ParamConversion<const char*> {
  static bool Accepts(const Json::Value& value) { return value.isString(); }
  static const char* Convert(const Json::Value& value) {
    return value.isString() ? value.asCString() : "";
  }
  static Json::Value Default() { return Json::Value(""); }
};

inline Json::Value ResultToJson(bool result) { return Json::Value(result); }
inline Json::Value ResultToJson(int result) { return Json::Value(result); }
inline Json::Value ResultToJson(long result) {
  return Json::Value(static_cast<Json::Int>(static_cast<std::int32_t>(result)));
}
// A member that breaks its contract and returns null replies with "".
inline Json::Value ResultToJson(const char* result) {
  return Json::Value(result != nullptr ? result : "");
}

}  // namespace Foundation

#endif  // SHIMWELL_RUNTIME_PARAM_CONVERSION_H_
