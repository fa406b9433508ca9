#include "tools/hostsim/script.h"

#include <cctype>
#include <cstdlib>
#include <limits>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <json/reader.h>

#include "tools/hostsim/json_line.h"

namespace hostsim {
namespace {

// Thrown while a line is read; the line then runs no further.
struct BadLine {
  std::string reason;
};

[[noreturn]] void Bad(std::string reason) { throw BadLine{std::move(reason)}; }

// The most name slots paramNames may ask for.
constexpr int kMaxParamNamesCount = 1000;

// One script line: the command's value and its argument members.
class Line {
 public:
  Line(const Json::Value& object, std::string command)
      : object_(object), command_(std::move(command)), value_(object[command_]) {}

  const Json::Value& value() const { return value_; }
  bool Has(const char* key) const { return object_.isMember(key); }
  const Json::Value& Arg(const char* key) const { return object_[key]; }

  // The command's value must be true (for commands that take no argument).
  void ValueIsTrue() const {
    if (!value_.isBool() || !value_.asBool()) Bad("\"" + command_ + "\" takes true");
  }
  std::string ValueText() const { return TextOf(value_, "\"" + command_ + "\""); }

  std::optional<int> OptionalInt(const char* key) const {
    if (!Has(key)) return std::nullopt;
    return IntOf(Arg(key), Quoted(key));
  }
  // "nth": a registration of a name, 0-based.
  std::optional<std::size_t> Nth() const {
    std::optional<int> nth = OptionalInt("nth");
    if (nth && *nth < 0) Bad("\"nth\" must not be negative");
    return nth ? std::optional<std::size_t>(static_cast<std::size_t>(*nth)) : std::nullopt;
  }
  // The call text: "text" as given, {"params": ...} from "params", or {}.
  std::string CallText() const {
    if (Has("text") && Has("params")) Bad("give \"text\" or \"params\", not both");
    if (Has("text")) return TextOf(Arg("text"), "\"text\"");
    if (!Has("params")) return "{}";
    Json::Value call(Json::objectValue);
    call["params"] = Arg("params");
    return WriteJsonLine(call);
  }

  static std::string Quoted(const char* key) { return std::string("\"") + key + "\""; }
  static std::string TextOf(const Json::Value& value, const std::string& what) {
    if (!value.isString()) Bad(what + " must be a text");
    return value.asString();
  }
  static int IntOf(const Json::Value& value, const std::string& what) {
    if (!value.isInt()) Bad(what + " must be an integer");
    return value.asInt();
  }
  static unsigned int UIntOf(const Json::Value& value, const std::string& what) {
    if (!value.isUInt()) Bad(what + " must be an unsigned integer");
    return value.asUInt();
  }
  static bool BoolOf(const Json::Value& value, const std::string& what) {
    if (!value.isBool()) Bad(what + " must be true or false");
    return value.asBool();
  }
  static const Json::Value& ObjectOf(const Json::Value& value, const std::string& what) {
    if (!value.isObject()) Bad(what + " must be an object");
    return value;
  }
  static std::vector<std::string> TextsOf(const Json::Value& value, const std::string& what) {
    if (!value.isArray()) Bad(what + " must be an array of texts");
    std::vector<std::string> texts;
    for (const Json::Value& element : value) texts.push_back(TextOf(element, what + " element"));
    return texts;
  }

 private:
  const Json::Value& object_;
  std::string command_;
  const Json::Value& value_;
};

// --- Setting up the host.

void RunWebType(Host* host, const Line& line) {
  if (line.value().isNull()) {
    host->answers().web_type.reset();
  } else {
    host->answers().web_type = line.ValueText();
  }
}

void RunReply(Host* host, const Line& line) {
  const Json::Value& replies = Line::ObjectOf(line.value(), "\"reply\"");
  std::vector<std::pair<std::string, std::string>> read;
  for (auto it = replies.begin(); it != replies.end(); ++it) {
    read.emplace_back(it.name(), Line::TextOf(*it, "the reply of " + it.name()));
  }
  for (const auto& [method, reply] : read) host->SetReply(method, reply);
}

// A value may be one text or an array of texts, queued in order.
void RunReplyOnce(Host* host, const Line& line) {
  const Json::Value& replies = Line::ObjectOf(line.value(), "\"replyOnce\"");
  std::vector<std::pair<std::string, std::string>> read;
  for (auto it = replies.begin(); it != replies.end(); ++it) {
    const std::string what = "the reply of " + it.name();
    if (it->isArray()) {
      for (const std::string& reply : Line::TextsOf(*it, what)) read.emplace_back(it.name(), reply);
    } else {
      read.emplace_back(it.name(), Line::TextOf(*it, what));
    }
  }
  for (const auto& [method, reply] : read) host->QueueReply(method, reply);
}

wpRect RectOf(const Json::Value& value, const std::string& what) {
  if (!value.isArray() || value.size() != 4) Bad(what + " must be [left, top, right, bottom]");
  for (const Json::Value& side : value) {
    if (!side.isNumeric()) Bad(what + " must hold numbers");
  }
  return wpRect{value[0].asFloat(), value[1].asFloat(), value[2].asFloat(), value[3].asFloat()};
}

// A number for every view, or an object from view index (as text) to player.
void ReadViewPlayer(const Json::Value& value, HostAnswers* answers) {
  answers->view_player_by_view.clear();
  if (!value.isObject()) {
    answers->view_player = Line::IntOf(value, "\"viewPlayer\"");
    return;
  }
  answers->view_player = 0;
  for (auto it = value.begin(); it != value.end(); ++it) {
    const std::string view = it.name();
    char* end = nullptr;
    const long index = std::strtol(view.c_str(), &end, 10);
    if (view.empty() || *end != '\0' || index < std::numeric_limits<int>::min() ||
        index > std::numeric_limits<int>::max()) {
      Bad("\"viewPlayer\" keys must be view indexes, not \"" + view + "\"");
    }
    answers->view_player_by_view[static_cast<int>(index)] = Line::IntOf(*it, "the player of view " + view);
  }
}

void ReadKindPath(const Json::Value& value, HostAnswers* answers) {
  Line::ObjectOf(value, "\"kindPath\"");
  answers->kind_path.clear();
  for (auto it = value.begin(); it != value.end(); ++it) {
    answers->kind_path[it.name()] = Line::TextOf(*it, "the path of " + it.name());
  }
}

// Reads the {"host": ...} keys into a copy of the answers, so that a bad key
// changes nothing.
void RunHostAnswers(Host* host, const Line& line) {
  HostAnswers answers = host->answers();
  const Json::Value& keys = Line::ObjectOf(line.value(), "\"host\"");
  for (auto it = keys.begin(); it != keys.end(); ++it) {
    const std::string key = it.name();
    const std::string what = "\"" + key + "\"";
    const Json::Value& v = *it;
    if (key == "currentView") answers.current_view = Line::IntOf(v, what);
    else if (key == "viewPlayer") ReadViewPlayer(v, &answers);
    else if (key == "findViewPlayer") answers.find_view_player = Line::IntOf(v, what);
    else if (key == "currentDevice") answers.current_device = Line::UIntOf(v, what);
    else if (key == "kindPath") ReadKindPath(v, &answers);
    else if (key == "viewRect") answers.view_rect = RectOf(v, what);
    else if (key == "displayFlag") answers.display_flag = Line::BoolOf(v, what);
    else if (key == "displayValue") answers.display_value = Line::IntOf(v, what);
    else if (key == "playerFlag") answers.player_flag = Line::BoolOf(v, what);
    else if (key == "ptzFlag") answers.ptz_flag = Line::BoolOf(v, what);
    else if (key == "viewObject") answers.view_object = Line::BoolOf(v, what);
    else if (key == "shapeVisible") answers.shape_visible = Line::BoolOf(v, what);
    else if (key == "analysisShape") answers.analysis_shape = Line::BoolOf(v, what);
    else Bad("unknown host key " + what);
  }
  host->answers() = answers;
}

void RunUnbind(Host* host, const Line& line) {
  for (const std::string& name : Line::TextsOf(line.value(), "\"unbind\"")) {
    if (!host->Unbind(name)) Bad("no host pair is named " + name);
  }
}

void RunWithhold(Host* host, const Line& line) {
  for (const std::string& name : Line::TextsOf(line.value(), "\"withhold\"")) host->Withhold(name);
}

// --- Driving the plug-in.

void RunExport(Host* host, const Line& line) {
  static const std::pair<const char*, Export> kExports[] = {
      {"CheckModule", Export::kCheckModule},
      {"InitModule", Export::kInitModule},
      {"LoadImplObjects", Export::kLoadImplObjects},
      {"ClearModule", Export::kClearModule},
  };
  const std::string name = line.ValueText();
  for (const auto& [export_name, which] : kExports) {
    if (name == export_name) return host->CallExport(which);
  }
  Bad("no export is named " + name);
}

void RunStart(Host* host, const Line& line) {
  line.ValueIsTrue();
  host->Start();
}

void RunSignal(Host* host, const Line& line) {
  const std::string name = line.ValueText();
  Json::Value args(Json::arrayValue);
  if (line.Has("args")) {
    args = line.Arg("args");
    if (!args.isArray()) Bad("\"args\" must be an array");
  }
  host->FireSignal(name, args);
}

void RunCall(Host* host, const Line& line) {
  const std::string name = line.ValueText();
  const int id = line.OptionalInt("id").value_or(1);
  host->Call(name, line.Nth(), id, line.CallText());
}

void RunCheckParams(Host* host, const Line& line) {
  const std::string name = line.ValueText();
  host->CheckParams(name, line.Nth(), line.OptionalInt("count"), line.CallText());
}

void RunTemplate(Host* host, const Line& line) {
  const std::string name = line.ValueText();
  host->Template(name, line.Nth());
}

void RunParamNames(Host* host, const Line& line) {
  const std::string name = line.ValueText();
  const std::optional<int> count = line.OptionalInt("count");
  if (count && *count > kMaxParamNamesCount) {
    Bad("\"count\" must be at most " + std::to_string(kMaxParamNamesCount));
  }
  host->ParamNames(name, line.Nth(), count);
}

void RunInbound(Host* host, const Line& line) { host->Inbound(line.ValueText()); }

void RunPlayerState(Host* host, const Line& line) {
  const Json::Value& values = line.value();
  if (!values.isArray() || values.size() != 4) Bad("\"playerState\" takes four integers");
  int v[4];
  for (Json::ArrayIndex i = 0; i < 4; ++i) v[i] = Line::IntOf(values[i], "\"playerState\" value");
  host->PlayerState(v[0], v[1], v[2], v[3]);
}

void RunRelease(Host* host, const Line& line) {
  line.ValueIsTrue();
  host->Release();
}

struct Command {
  const char* name;
  // The argument keys the command takes besides its own, blank-separated.
  const char* arguments;
  void (*run)(Host*, const Line&);
};

const Command kCommands[] = {
    {"webType", "", RunWebType},
    {"reply", "", RunReply},
    {"replyOnce", "", RunReplyOnce},
    {"host", "", RunHostAnswers},
    {"unbind", "", RunUnbind},
    {"withhold", "", RunWithhold},
    {"export", "", RunExport},
    {"start", "", RunStart},
    {"signal", "args", RunSignal},
    {"call", "id params text nth", RunCall},
    {"checkParams", "count params text nth", RunCheckParams},
    {"template", "nth", RunTemplate},
    {"paramNames", "count nth", RunParamNames},
    {"inbound", "", RunInbound},
    {"playerState", "", RunPlayerState},
    {"release", "", RunRelease},
};

bool TakesArgument(const Command& command, const std::string& key) {
  const std::string arguments = std::string(" ") + command.arguments + " ";
  return !key.empty() && key.find(' ') == std::string::npos &&
         arguments.find(" " + key + " ") != std::string::npos;
}

// The one command of the object; every other member must be its argument.
const Command& CommandOf(const Json::Value& object) {
  const Command* found = nullptr;
  for (const std::string& key : object.getMemberNames()) {
    for (const Command& command : kCommands) {
      if (key != command.name) continue;
      if (found != nullptr) Bad("more than one command: " + std::string(found->name) + " and " + key);
      found = &command;
    }
  }
  if (found == nullptr) {
    const std::vector<std::string> keys = object.getMemberNames();
    Bad(keys.empty() ? std::string("no command") : "unknown command " + keys.front());
  }
  for (const std::string& key : object.getMemberNames()) {
    if (key != found->name && !TakesArgument(*found, key)) {
      Bad("\"" + std::string(found->name) + "\" takes no argument \"" + key + "\"");
    }
  }
  return *found;
}

bool Skipped(std::string_view line) {
  for (char c : line) {
    if (!std::isspace(static_cast<unsigned char>(c))) return c == '#';
  }
  return true;
}

Json::Value Parse(std::string_view line) {
  Json::CharReaderBuilder builder;
  Json::CharReaderBuilder::strictMode(&builder.settings_);
  builder.settings_["strictRoot"] = false;
  std::unique_ptr<Json::CharReader> reader(builder.newCharReader());
  Json::Value value;
  std::string errors;
  if (!reader->parse(line.data(), line.data() + line.size(), &value, &errors)) {
    while (!errors.empty() && std::isspace(static_cast<unsigned char>(errors.back()))) errors.pop_back();
    Bad("not JSON: " + errors);
  }
  if (!value.isObject()) Bad("not an object");
  return value;
}

}  // namespace

bool RunScriptLine(Host* host, std::string_view line, std::string* error) {
  if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
  if (Skipped(line)) return true;
  try {
    const Json::Value object = Parse(line);
    const Command& command = CommandOf(object);
    command.run(host, Line(object, command.name));
  } catch (const BadLine& bad) {
    *error = bad.reason;
    return false;
  }
  return true;
}

int RunScript(Host* host, std::istream& script, std::string* error) {
  std::string line;
  for (long number = 1; std::getline(script, line); ++number) {
    std::string reason;
    if (!RunScriptLine(host, line, &reason)) {
      *error = "line " + std::to_string(number) + ": " + reason;
      return 2;
    }
  }
  return 0;
}

}  // namespace hostsim
