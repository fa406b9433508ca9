#include "tools/device/compact_json.h"

#include <memory>
#include <sstream>

#include <json/writer.h>

namespace device {

std::string CompactJson(const Json::Value& value) {
  // Making a writer costs more than writing a short message, so each
  // thread makes one and keeps it.
  thread_local const std::unique_ptr<Json::StreamWriter> writer = [] {
    Json::StreamWriterBuilder builder;
    builder["indentation"] = "";
    return std::unique_ptr<Json::StreamWriter>(builder.newStreamWriter());
  }();
  std::ostringstream text;
  writer->write(value, &text);
  return text.str();
}

}  // namespace device
