// Recorder: turns what the plug-in does towards the host into output lines,
// one compact JSON object each with the command key first.
#ifndef SHIMWELL_TOOLS_HOSTSIM_RECORDER_H_
#define SHIMWELL_TOOLS_HOSTSIM_RECORDER_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/event_variant.h"
#include "tools/hostsim/json_line.h"
#include "tools/hostsim/output_sink.h"

namespace hostsim {

class Recorder {
 public:
  explicit Recorder(OutputSink* sink) : sink_(sink) {}

  // Runs before every line is written, so that a change the plug-in made
  // without calling the host can be reported in its place in the sequence.
  void SetBeforeLine(std::function<void()> hook) { before_line_ = std::move(hook); }

  // {"key": "text"}, or {"key": null} for a null text.
  void Text(std::string_view key, const char* text);
  void Text(std::string_view key, const std::string& text) { Text(key, text.c_str()); }
  // {"key": true|false}
  void Flag(std::string_view key, bool value);
  // {"key": "name", "<list_key>": [names...]}, or false for no list.
  void NameList(std::string_view key, const char* name, std::string_view list_key,
                const std::vector<std::string>* names);
  // {"paramNames": [...]} or {"paramNames": false}.
  void ParamNames(const std::vector<std::string>* names);
  // {"event": "name", "args": [...]}: the records as the host reads them.
  void Event(const char* name, const Foundation::EventVariant* records, int count);

  // {"host": "name", "args": [...]}: a host operation that acts.
  template <typename... A>
  void HostCall(std::string_view name, const A&... args) {
    JsonLine line;
    line.BeginObject().Key("host").String(name).Key("args").BeginArray();
    (line.Put(args), ...);
    Emit(line.EndArray().EndObject());
  }

  void Emit(const JsonLine& line);

 private:
  OutputSink* sink_;
  std::function<void()> before_line_;
  bool in_hook_ = false;
};

}  // namespace hostsim

#endif  // SHIMWELL_TOOLS_HOSTSIM_RECORDER_H_
