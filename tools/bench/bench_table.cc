// shimwell-bench-table: one table from a run of shimwell-bench.
//
//   shimwell-bench-table BENCHMARK_JSON [CALLGRIND_JSON] [--service SERVICE_JSON] OUTPUT_JSON
//
// Reads Google Benchmark's JSON (the medians of its repetitions, or the
// single runs; CPU time, which a shared machine disturbs less), pairs
// "<line>/ours" with "<line>/floor", adds the instruction counts per call
// when given ({"<line>/ours": n, ...}), prints the table and writes the
// same figures to OUTPUT_JSON.  The running service's figures
// (shimwell-bench-service: round trips against the bare echo, memory against
// its goal) follow in a second block and under "service" in the JSON.
#include <cstdio>
#include <fstream>
#include <map>
#include <string>

#include <json/reader.h>
#include <json/writer.h>

namespace {

struct Side {
  double ns = -1;
  double instructions = -1;
};

bool ReadFile(const char* path, Json::Value* root) {
  std::ifstream in(path);
  if (!in) return false;
  Json::CharReaderBuilder builder;
  std::string errors;
  return Json::parseFromStream(builder, in, root, &errors);
}

// "call/X/ours" -> line "call/X", side "ours".
bool Split(const std::string& name, std::string* line, std::string* side) {
  const std::size_t slash = name.rfind('/');
  if (slash == std::string::npos) return false;
  *line = name.substr(0, slash);
  *side = name.substr(slash + 1);
  return *side == "ours" || *side == "floor";
}

double Ratio(double ours, double floor) { return ours >= 0 && floor > 0 ? ours / floor : -1; }

std::string Cell(double value, int decimals) {
  if (value < 0) return "-";
  char text[32];
  std::snprintf(text, sizeof text, "%.*f", decimals, value);
  return text;
}

// The service's lines: {"<line>": {"ours", "floor", "unit", "goal",
// "higher_is_better"}}.  A goal with a floor bounds the ratio, one without
// bounds our figure.
void ServiceTable(const Json::Value& lines) {
  std::printf("\n%-34s %10s %10s %6s   %-5s %s\n", "line", "ours", "floor", "ratio", "unit", "goal");
  for (const std::string& name : lines.getMemberNames()) {
    const Json::Value& line = lines[name];
    const double ours = line["ours"].asDouble();
    const double floor = line["floor"].asDouble();
    const double goal = line["goal"].asDouble();
    const bool higher = line["higher_is_better"].asBool();
    std::string wanted = "-";
    if (goal > 0) {
      const bool met = floor > 0 ? (higher ? ours / floor >= goal : ours / floor <= goal)
                                 : (higher ? ours >= goal : ours <= goal);
      wanted = std::string(floor > 0 ? "ratio " : "") + (higher ? ">= " : "<= ") + Cell(goal, floor > 0 ? 2 : 0) +
               (met ? " met" : " NOT met");
    }
    std::printf("%-34s %10s %10s %6s   %-5s %s\n", name.c_str(), Cell(ours, 0).c_str(), Cell(floor, 0).c_str(),
                Cell(Ratio(ours, floor), 2).c_str(), line["unit"].asCString(), wanted.c_str());
  }
}

}  // namespace

int main(int argc, char** argv) {
  Json::Value service(Json::objectValue);
  if (argc > 3 && std::string(argv[argc - 3]) == "--service") {
    if (!ReadFile(argv[argc - 2], &service)) {
      std::fprintf(stderr, "shimwell-bench-table: cannot read %s\n", argv[argc - 2]);
      return 1;
    }
    argv[argc - 3] = argv[argc - 1];
    argc -= 2;
  }
  if (argc != 3 && argc != 4) {
    std::fprintf(stderr,
                 "usage: shimwell-bench-table BENCHMARK_JSON [CALLGRIND_JSON] [--service SERVICE_JSON] OUTPUT_JSON\n");
    return 2;
  }
  Json::Value runs;
  if (!ReadFile(argv[1], &runs)) {
    std::fprintf(stderr, "shimwell-bench-table: cannot read %s\n", argv[1]);
    return 1;
  }
  Json::Value counts(Json::objectValue);
  if (argc == 4 && !ReadFile(argv[2], &counts)) {
    std::fprintf(stderr, "shimwell-bench-table: cannot read %s\n", argv[2]);
    return 1;
  }

  std::map<std::string, std::map<std::string, Side>> lines;
  for (const Json::Value& run : runs["benchmarks"]) {
    const bool aggregate = run["run_type"].asString() == "aggregate";
    if (aggregate && run["aggregate_name"].asString() != "median") continue;
    std::string line, side;
    if (!Split(run["run_name"].asString(), &line, &side)) continue;
    Side& figures = lines[line][side];
    // A median beats a single run; the last single run stands otherwise.
    if (aggregate || figures.ns < 0) figures.ns = run["cpu_time"].asDouble();
  }
  for (const std::string& name : counts.getMemberNames()) {
    std::string line, side;
    if (Split(name, &line, &side)) lines[line][side].instructions = counts[name].asDouble();
  }

  Json::Value out(Json::objectValue);
  out["context"] = runs["context"];
  std::printf("%-34s %10s %10s %6s   %10s %10s %6s\n", "line", "ours ns", "floor ns", "ratio",
              "ours Ir", "floor Ir", "ratio");
  for (const auto& [name, sides] : lines) {
    const Side ours = sides.count("ours") ? sides.at("ours") : Side();
    const Side floor = sides.count("floor") ? sides.at("floor") : Side();
    std::printf("%-34s %10s %10s %6s   %10s %10s %6s\n", name.c_str(), Cell(ours.ns, 0).c_str(),
                Cell(floor.ns, 0).c_str(), Cell(Ratio(ours.ns, floor.ns), 2).c_str(),
                Cell(ours.instructions, 0).c_str(), Cell(floor.instructions, 0).c_str(),
                Cell(Ratio(ours.instructions, floor.instructions), 2).c_str());
    Json::Value& entry = out["lines"][name];
    entry["ours_ns"] = ours.ns;
    entry["floor_ns"] = floor.ns;
    entry["ratio"] = Ratio(ours.ns, floor.ns);
    if (ours.instructions >= 0) {
      entry["ours_instructions"] = ours.instructions;
      entry["floor_instructions"] = floor.instructions;
      entry["instruction_ratio"] = Ratio(ours.instructions, floor.instructions);
    }
  }
  if (!service.empty()) {
    ServiceTable(service);
    out["service"] = service;
  }
  std::ofstream file(argv[argc - 1]);
  file << Json::StyledWriter().write(out);
  return file ? 0 : 1;
}
