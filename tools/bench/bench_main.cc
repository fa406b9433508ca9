// shimwell-bench: every line's two sides under Google Benchmark, as
// "<line>/ours" and "<line>/floor".  Two more modes serve the
// instruction counts:
//   shimwell-bench --list               the names of all sides, one a line
//   shimwell-bench --repeat NAME COUNT  runs one side COUNT times, nothing else
// The plug-in is the one this build made, or $SHIMWELL_BENCH_PLUGIN.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <string>

#include <benchmark/benchmark.h>

#include "tools/bench/bench_lines.h"

namespace {

std::string PluginPath() {
  const char* path = std::getenv("SHIMWELL_BENCH_PLUGIN");
  return path != nullptr ? path : SHIMWELL_PLUGIN_FILE;
}

const std::function<void()>* FindSide(const std::vector<bench::BenchLine>& lines,
                                      const std::string& name, const bench::BenchLine** line) {
  for (const bench::BenchLine& candidate : lines) {
    *line = &candidate;
    if (name == candidate.name + "/ours") return &candidate.ours;
    if (name == candidate.name + "/floor") return &candidate.floor;
  }
  return nullptr;
}

int Repeat(const std::vector<bench::BenchLine>& lines, const std::string& name, long count) {
  const bench::BenchLine* line = nullptr;
  const std::function<void()>* side = FindSide(lines, name, &line);
  if (side == nullptr) {
    std::fprintf(stderr, "shimwell-bench: no line %s\n", name.c_str());
    return 2;
  }
  if (line->setup) line->setup();
  for (long i = 0; i < count; ++i) (*side)();
  return 0;
}

void Register(const bench::BenchLine& line) {
  for (const char* side : {"ours", "floor"}) {
    const std::function<void()>& body = std::strcmp(side, "ours") == 0 ? line.ours : line.floor;
    benchmark::RegisterBenchmark((line.name + "/" + side).c_str(), [&line, &body](benchmark::State& state) {
      if (line.setup) line.setup();
      for (auto _ : state) body();
    });
  }
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<bench::BenchLine>& lines = bench::Lines(PluginPath());
    if (argc == 2 && std::strcmp(argv[1], "--list") == 0) {
      for (const bench::BenchLine& line : lines) std::printf("%s/ours\n%s/floor\n", line.name.c_str(), line.name.c_str());
      return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--repeat") == 0) {
      return Repeat(lines, argv[2], std::strtol(argv[3], nullptr, 10));
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 2;
    for (const bench::BenchLine& line : lines) Register(line);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "shimwell-bench: %s\n", error.what());
    return 1;
  }
}
