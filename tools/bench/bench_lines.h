// The benchmark lines: each has our code path and its floor, the JSON work
// that the same operation cannot avoid, done directly with JsonCpp and our
// writer.  Both sides run in the same process, against the same texts.
#ifndef SHIMWELL_TOOLS_BENCH_BENCH_LINES_H_
#define SHIMWELL_TOOLS_BENCH_BENCH_LINES_H_

#include <functional>
#include <string>
#include <vector>

namespace bench {

struct BenchLine {
  std::string name;             // "call/ConnectRealVideo", ...
  std::function<void()> setup;  // run once before a series of calls to either side
  std::function<void()> ours;
  std::function<void()> floor;
};

// Loads the plug-in at `plugin_path` on first use and builds every line.
const std::vector<BenchLine>& Lines(const std::string& plugin_path);

}  // namespace bench

#endif  // SHIMWELL_TOOLS_BENCH_BENCH_LINES_H_
