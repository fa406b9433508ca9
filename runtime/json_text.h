// The two JSON text forms the plug-in writes.
//
// Styled: one member per line, three blanks per level, members in ascending
// byte order, short arrays of scalars inline as "[ a, b ]", "/" escaped as
// "\/", reals with "%#.16g" cut back to the last non-zero digit after the
// point, and a final line feed.  Used for requests, replies, templates and
// most message texts.
//
// Compact-spaced: one line, "{ " members joined by ", " then " }", each
// member as "name" : value, arrays as "[ a, b ]", empty ones as {} and [],
// and a final line feed.  Used for two page messages.
//
// Comments attached to values are not written.
#ifndef SHIMWELL_RUNTIME_JSON_TEXT_H_
#define SHIMWELL_RUNTIME_JSON_TEXT_H_

#include <string>

#include <json/value.h>

namespace Foundation {

std::string WriteStyled(const Json::Value& value);
std::string WriteCompactSpaced(const Json::Value& value);

// Parses the whole NUL-terminated `text` with JsonCpp's reader into `value`;
// false when it is not JSON (or null).  Comments are kept only on request.
bool ReadJson(const char* text, Json::Value* value, bool collect_comments = false);
// The same for the text from `begin` to `end`.
bool ReadJson(const char* begin, const char* end, Json::Value* value, bool collect_comments = false);

}  // namespace Foundation

#endif  // SHIMWELL_RUNTIME_JSON_TEXT_H_
