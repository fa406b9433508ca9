// Typed reads of the members of an inbound event's "params".
//
// A missing or null member reads as 0, 0.0, false or the empty text.  A member
// of a kind that does not convert (a string read as a number, a number read
// as a text, an array or object read as anything) throws, and so does a
// "params" that is neither an object nor null; the inbound path then drops
// the event.
#ifndef SHIMWELL_ADAPTERS_LIVE_EVENT_PARAMS_H_
#define SHIMWELL_ADAPTERS_LIVE_EVENT_PARAMS_H_

#include <cstdint>
#include <string>

#include <json/value.h>

namespace Shimwell {

// Numbers within the 32-bit range (reals truncated toward zero), booleans as 0 or 1.
std::int32_t ParamInt(const Json::Value& params, const char* name);
// Any number, booleans as 0.0 or 1.0.
double ParamReal(const Json::Value& params, const char* name);
// Booleans, numbers as non-zero.
bool ParamBool(const Json::Value& params, const char* name);
// Strings, booleans as "true" or "false".
std::string ParamText(const Json::Value& params, const char* name);
// Strings; every other kind reads as the empty text and never throws.
std::string ParamTextOrEmpty(const Json::Value& params, const char* name);

// The part of `path` after its last backslash, or all of it without one.
std::string AfterLastBackslash(std::string path);

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_LIVE_EVENT_PARAMS_H_
