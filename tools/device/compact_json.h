// JSON text on one line with no blanks, as the device and the service send
// it to pages.
#ifndef SHIMWELL_TOOLS_DEVICE_COMPACT_JSON_H_
#define SHIMWELL_TOOLS_DEVICE_COMPACT_JSON_H_

#include <string>

#include <json/value.h>

namespace device {

std::string CompactJson(const Json::Value& value);

}  // namespace device

#endif  // SHIMWELL_TOOLS_DEVICE_COMPACT_JSON_H_
