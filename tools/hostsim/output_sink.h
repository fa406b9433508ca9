// Where the simulator's output lines go: standard output for the tool, a
// list for tests, a page connection for a service that embeds the simulator.
#ifndef SHIMWELL_TOOLS_HOSTSIM_OUTPUT_SINK_H_
#define SHIMWELL_TOOLS_HOSTSIM_OUTPUT_SINK_H_

#include <cstdio>
#include <string>
#include <vector>

namespace hostsim {

class OutputSink {
 public:
  virtual ~OutputSink() = default;
  // One compact JSON object, without the line feed.
  virtual void WriteLine(const std::string& line) = 0;
};

// Writes each line and a line feed to a stream, flushed at once so that the
// output stands complete up to the last thing that happened.
class StreamSink final : public OutputSink {
 public:
  explicit StreamSink(std::FILE* stream) : stream_(stream) {}
  void WriteLine(const std::string& line) override {
    std::fwrite(line.data(), 1, line.size(), stream_);
    std::fputc('\n', stream_);
    std::fflush(stream_);
  }

 private:
  std::FILE* stream_;
};

// Keeps the lines, for tests.
class LineListSink final : public OutputSink {
 public:
  void WriteLine(const std::string& line) override { lines.push_back(line); }
  std::vector<std::string> lines;
};

}  // namespace hostsim

#endif  // SHIMWELL_TOOLS_HOSTSIM_OUTPUT_SINK_H_
