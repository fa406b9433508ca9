#include "tools/service/page_session.h"

#include <exception>
#include <memory>
#include <optional>
#include <string_view>

#include <json/reader.h>
#include <json/writer.h>

#include "tools/device/compact_json.h"

namespace ferrowyn {

namespace {

// Rounds of device notices delivered after one call; each round may cause
// the next, and a device that kept answering itself must not hang the host.
constexpr int kMaxSettleRounds = 8;

// The rectangle of every view in the host's coordinates: the frame size the
// page draws views in, so that the image overlay's geometry maps onto it.
constexpr wpRect kViewRect = {0.0f, 0.0f, 704.0f, 576.0f};

// Making a reader costs more than reading a page message, so one is made
// per thread and kept (a session runs on the main thread only).  A message
// nested deeper than the limit is not JSON to us: the reader throws on it,
// and the session answers with a parse error.
std::optional<Json::Value> Parse(const std::string& text) {
  thread_local std::unique_ptr<Json::CharReader> reader;
  if (!reader) {
    Json::CharReaderBuilder builder;
    builder["stackLimit"] = 200;
    reader.reset(builder.newCharReader());
  }
  Json::Value value;
  try {
    if (!reader->parse(text.data(), text.data() + text.size(), &value, nullptr)) return std::nullopt;
  } catch (const std::exception&) {
    reader.reset();  // not trusted again after it threw
    return std::nullopt;
  }
  return value;
}

// The host starts each line with the key that names its kind.  The session
// reads the kinds below and leaves the others (the requests, whose texts are
// the longest, queries, connections) unparsed.
bool ReadsLine(const std::string& line) {
  static const std::string_view kKinds[] = {R"({"event": )",     R"({"reply": )",          R"({"exception": )",
                                            R"({"invoke": )",    R"({"registerMethod": )", R"({"host": )"};
  for (const std::string_view kind : kKinds) {
    if (std::string_view(line).substr(0, kind.size()) == kind) return true;
  }
  return false;
}

// An event record as the host read it, as a plain JSON value.
Json::Value PlainArgument(const Json::Value& record) {
  for (const char* kind : {"int", "real", "bool", "text", "text2"}) {
    if (record.isMember(kind)) return record[kind];
  }
  return Json::Value();
}

}  // namespace

PageSession::PageSession(const hostsim::PluginExports& plugin, const ServiceConfig& config, Send send)
    : send_(std::move(send)),
      device_([&] {
        device::DeviceOptions options;
        options.data_dir = config.data_dir;
        options.download_time = config.download_time;
        options.faulty_replies = config.device_faults;
        return options;
      }()) {
  host_ = std::make_unique<hostsim::Host>(plugin, this);
  host_->answers().web_type.reset();  // no page type until the page declares one
  host_->SetResponder([this](const std::string& request) -> std::optional<std::string> {
    std::string reply = device_.Handle(request);
    SyncAnswers();
    return reply;
  });
  SyncAnswers();
  host_->CallExport(hostsim::Export::kLoadImplObjects);
  host_->FireSignal("InterfaceInstantiationSignal", Json::Value(Json::arrayValue));
  host_->FireSignal("ImplComLoaded", Json::Value(Json::arrayValue));
}

PageSession::~PageSession() {
  // The host releases what the plug-in handed over; nothing goes to the page.
  send_ = nullptr;
  host_.reset();
}

void PageSession::SyncAnswers() {
  hostsim::HostAnswers& answers = host_->answers();
  const device::ViewState& view = device_.view();
  answers.current_view = view.current_view;
  answers.view_player_by_view = view.players;
  answers.current_device = device_.device_id();
  auto live = view.players.find(view.current_view);
  answers.find_view_player = live != view.players.end() ? live->second : 0;
  answers.view_rect = kViewRect;
}

void PageSession::WriteLine(const std::string& line) {
  if (!ReadsLine(line)) return;
  std::optional<Json::Value> value = Parse(line);
  if (!value || !value->isObject() || !send_) return;
  if (value->isMember("event")) {
    Json::Value event(Json::objectValue);
    event["event"] = (*value)["event"];
    event["args"] = Json::Value(Json::arrayValue);
    for (const Json::Value& record : (*value)["args"]) event["args"].append(PlainArgument(record));
    send_(device::CompactJson(event));
  } else if (value->isMember("reply")) {
    if (call_.active && (*value)["reply"].isString()) call_.replies.push_back((*value)["reply"].asString());
  } else if (value->isMember("exception")) {
    if (call_.active) call_.exceptions.push_back((*value)["exception"].asString());
  } else if (value->isMember("invoke")) {
    call_.rejected = true;
  } else if (value->isMember("registerMethod") && (*value)["registerMethod"].isString()) {
    std::vector<std::string> names;
    for (const Json::Value& name : (*value)["params"]) names.push_back(name.asString());
    registered_.emplace_back((*value)["registerMethod"].asString(), names);
  } else if (value->isMember("host")) {
    // The view's own objects: the image overlay and the drawn shapes.
    const std::string operation = (*value)["host"].asString();
    const Json::Value& args = (*value)["args"];
    if (operation == "SetImage") overlay_["image"] = args[4];
    if (operation == "SetVisible") overlay_["visible"] = args[0];
    if (operation == "SetGeometry") overlay_["rect"] = args;
    if (operation == "CreateShape") overlay_["view"] = device_.view().current_view;
    if (operation == "CreateAnalysisShape") clip_view_ = args[1];
    if (operation == "ConfigureShape" && args[0].isString()) {
      std::optional<Json::Value> shape = args[1].isString() ? Parse(args[1].asString()) : std::nullopt;
      shapes_[args[0].asString()] = shape ? *shape : args[1];
    }
  }
}

void PageSession::Answer(const Json::Value& id, const Json::Value& result) {
  Json::Value answer(Json::objectValue);
  answer["id"] = id;
  answer["result"] = result;
  send_(device::CompactJson(answer));
}

void PageSession::Fail(const Json::Value& id, int code, const std::string& message) {
  Json::Value answer(Json::objectValue);
  answer["id"] = id;
  answer["error"]["code"] = code;
  answer["error"]["message"] = message;
  send_(device::CompactJson(answer));
}

void PageSession::Handle(const std::string& text) {
  std::optional<Json::Value> message = Parse(text);
  if (!message) return Fail(Json::Value(), kParseError, "parse error");
  if (!message->isObject()) return Fail(Json::Value(), kInvalidRequest, "a message is a JSON object");
  const Json::Value id = message->get("id", Json::Value());
  const Json::Value& method = (*message)["method"];
  if (!id.isInt() || !method.isString()) {
    return Fail(id.isInt() || id.isString() ? id : Json::Value(), kInvalidRequest,
                "a call has an integer \"id\" and a \"method\" text");
  }
  const Json::Value params = message->get("params", Json::Value(Json::objectValue));
  if (!params.isObject()) return Fail(id, kInvalidParams, "\"params\" is an object");
  const std::string name = method.asString();

  if (name == "session.open") {
    OpenSession(id, params);
  } else if (!opened_) {
    Fail(id, kSessionState, "open the session first");
  } else if (name == "session.createView") {
    if (!view_created_) host_->FireSignal("pluginViewCreate", Json::Value(Json::arrayValue));
    view_created_ = true;
    Answer(id, true);
  } else if (name == "host.selectView") {
    const Json::Value& view = params["view"];
    if (!view.isInt() || view.asInt() < 0 || view.asInt() >= device_.view().split) {
      return Fail(id, kInvalidParams, "\"view\" is the index of a view");
    }
    device_.SelectView(view.asInt());
    Answer(id, true);
  } else if (name == "host.changeMode") {
    if (!params["mode"].isInt()) return Fail(id, kInvalidParams, "\"mode\" is an integer");
    device_.ChangeMode(params["mode"].asInt());
    Answer(id, true);
  } else if (name == "host.logout") {
    const bool was = device_.logged_in();
    Json::Value args(Json::arrayValue);
    args.append(device_.device_id());
    if (was) host_->FireSignal("RemoteDevicePreLogoutSignal", args);
    device_.Logout();
    Answer(id, was);
  } else {
    CallPlugin(id, id.asInt(), name, params);
  }
  Settle();
}

void PageSession::OpenSession(const Json::Value& id, const Json::Value& params) {
  if (opened_) return Fail(id, kSessionState, "the session is open already");
  const Json::Value& type = params["pageType"];
  if (!type.isString()) return Fail(id, kInvalidParams, "\"pageType\" is a text, e.g. \"web3.0\"");
  host_->answers().web_type = type.asString();
  host_->FireSignal("WebTypeSignal", Json::Value(Json::arrayValue));
  opened_ = true;
  Json::Value result(Json::objectValue);
  result["methods"] = Methods();
  Answer(id, result);
}

Json::Value PageSession::Methods() const {
  Json::Value methods(Json::arrayValue);
  std::map<std::string, std::size_t> seen;
  for (const auto& [name, names] : registered_) {
    Foundation::IComInterface* method = host_->FindMethod(name, seen[name]++);
    if (method == nullptr) continue;
    Json::Value entry(Json::objectValue);
    entry["name"] = name;
    entry["params"] = Json::Value(Json::arrayValue);
    for (const std::string& param : names) entry["params"].append(param);
    const char* text = method->GetParamsTemplate();
    std::optional<Json::Value> parsed = text ? Parse(text) : std::nullopt;
    entry["template"] = parsed ? *parsed : Json::Value();
    methods.append(entry);
  }
  return methods;
}

void PageSession::CallPlugin(const Json::Value& id, int call_id, const std::string& method,
                             const Json::Value& params) {
  // A name published in several forms goes to the first whose parameters fit.
  Json::Value call(Json::objectValue);
  call["params"] = params;
  const std::string text = device::CompactJson(call);
  std::optional<std::size_t> chosen;
  std::size_t count = 0;
  for (std::size_t nth = 0; Foundation::IComInterface* found = host_->FindMethod(method, nth); ++nth, ++count) {
    bool fits = false;
    try {
      fits = found->CheckParams(found->GetParamCount(), text.c_str());
    } catch (const std::exception&) {
    }
    if (fits && !chosen) chosen = nth;
  }
  if (count == 0) return Fail(id, kMethodNotFound, "no method " + method);
  if (!chosen) return Fail(id, kInvalidParams, "the params do not fit " + method);

  call_ = CallOutcome();
  call_.active = true;
  host_->Call(method, chosen, call_id, text);
  const CallOutcome outcome = std::move(call_);
  call_ = CallOutcome();
  if (!outcome.exceptions.empty()) return Fail(id, kPluginException, outcome.exceptions.front());
  if (outcome.rejected) return Fail(id, kInvalidParams, "the plug-in rejected the call");
  if (outcome.replies.empty()) return Fail(id, kInternalError, "the plug-in gave no reply");
  send_(outcome.replies.front());
}

void PageSession::Settle() {
  for (int round = 0; round < kMaxSettleRounds; ++round) {
    std::vector<device::Notice> notices = device_.TakeNotices();
    if (notices.empty()) break;
    for (const device::Notice& notice : notices) {
      switch (notice.kind) {
        case device::Notice::Kind::kInbound: {
          Json::Value event(Json::objectValue);
          event["event"] = notice.name;
          event["params"] = notice.args;
          host_->Inbound(device::CompactJson(event));
          break;
        }
        case device::Notice::Kind::kSignal:
          host_->FireSignal(notice.name, notice.args);
          break;
        case device::Notice::Kind::kPlayerState:
          host_->PlayerState(0, notice.args[0].asInt(), notice.args[1].asInt(), 0);
          break;
      }
    }
  }
  if (!opened_) return;
  const std::string state = device::CompactJson(ViewState());
  if (state != last_view_state_) {
    last_view_state_ = state;
    send_(state);
  }
}

Json::Value PageSession::ViewState() const {
  const device::ViewState& view = device_.view();
  Json::Value state(Json::objectValue);
  state["split"] = view.split;
  state["currentView"] = view.current_view;
  state["fullscreen"] = view.fullscreen;
  state["loggedIn"] = device_.logged_in();
  state["players"] = Json::Value(Json::objectValue);
  for (const auto& [index, player] : view.players) state["players"][std::to_string(index)] = player;
  state["overlay"] = overlay_;
  state["shapes"] = shapes_;
  state["clipRegion"] = shapes_.get("clipShape", Json::Value());
  state["clipView"] = clip_view_;
  state["analysis"] = device_.AnalysisDisplay();
  Json::Value message(Json::objectValue);
  message["viewState"] = state;
  return message;
}

}  // namespace ferrowyn
