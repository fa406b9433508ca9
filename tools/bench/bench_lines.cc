#include "tools/bench/bench_lines.h"

#include <memory>
#include <stdexcept>

#include <benchmark/benchmark.h>
#include <json/reader.h>
#include <json/writer.h>

#include "runtime/json_text.h"
#include "tools/bench/bench_documents.h"
#include "tools/bench/bench_host.h"
#include "tools/hostsim/plugin_exports.h"

namespace bench {
namespace {

// The floor's reader: made once, so that a parse costs only the parse.
void Parse(const char* text, Json::Value* value) {
  static const std::unique_ptr<Json::CharReader> reader(Json::CharReaderBuilder().newCharReader());
  const char* end = text + std::char_traits<char>::length(text);
  if (!reader->parse(text, end, value, nullptr)) throw std::runtime_error("floor: bad JSON");
  benchmark::DoNotOptimize(value);
}

void Write(const Json::Value& value) {
  std::string text = Foundation::WriteStyled(value);
  benchmark::DoNotOptimize(text.data());
}

void WriteRequest(const char* method, Json::Value params) {
  Json::Value request;
  request["method"] = method;
  request["params"] = std::move(params);
  Write(request);
}

void WriteReply(int id, Json::Value result) {
  Json::Value reply;
  reply["id"] = id;
  reply["result"] = std::move(result);
  Write(reply);
}

// The result a page method reads from a reply.
Json::Value ReadResult(const char* reply) {
  Json::Value root;
  Parse(reply, &root);
  return root["result"];
}

// What ConnectRealVideo cannot avoid on a cache miss: the call's parameters,
// the connection request, its player id, the auto-focus request, the reply.
void ConnectRealVideoFloor() {
  Json::Value call;
  Parse(kConnectRealVideoCall, &call);
  const Json::Value& in = call["params"];
  Json::Value params;
  params["channel"] = in["channel"].asInt();
  params["stream"] = in["stream"].asInt();
  params["protocol"] = 0;
  WriteRequest("ConnectRealVideo", std::move(params));
  const int player = ReadResult(kPlayerReply).asInt();
  Json::Value focus;
  focus["viewIndex"] = 0;
  focus["enable"] = true;
  WriteRequest("ActivateAutoFocus", std::move(focus));
  WriteReply(1, player > 0);
}

// A repeated login with an authority list: log out, log in, forward the
// list, set the render type and hide the buttons; five requests.
void LoginDeviceExFloor() {
  Json::Value call;
  Parse(kLoginDeviceExCall, &call);
  const Json::Value& in = call["params"];
  WriteRequest("LogoutDevice", 0);
  Json::Value login;
  login["ip"] = in["ip"].asCString();
  login["svrPort"] = in["port"].asInt();
  login["userName"] = in["username"].asCString();
  login["password"] = in["password"].asCString();
  login["specCap"] = in["specCap"].asInt();
  WriteRequest("LoginDevice", std::move(login));
  const int result = ReadResult(kLoginReply).asInt();
  Json::Value authority;
  authority["info"] = R"(["Live","Playback","Config"])";
  WriteRequest("SetAuthorityInfo", std::move(authority));
  Json::Value render;
  render["type"] = 1;
  render["renderType"] = 4;
  WriteRequest("SetDecodeRenderType", std::move(render));
  Json::Value buttons;
  buttons["visible"] = false;
  WriteRequest("SetVisibilityOfAllButtons", std::move(buttons));
  WriteReply(1, result > 0 ? 0 : -1);
}

void SetFeShowModeFloor() {
  Json::Value call;
  Parse(kSetFeShowModeCall, &call);
  Json::Value params;
  params["mode"] = call["params"]["mode"].asInt() == 3 ? "BkTwoPano" : "";
  WriteRequest("SetFeShowMode", std::move(params));
  WriteReply(1, ReadResult(kTrueReply).asBool());
}

// A new shape: the call's five texts go out in one request (the data text
// as it came, the page's names being the service's here), and the shape's
// number comes back as a decimal text.
void CreateMainShapeFloor() {
  Json::Value call;
  Parse(kCreateMainShapeCall, &call);
  const Json::Value& in = call["params"];
  Json::Value params;
  params["eventName"] = in["eventName"].asCString();
  params["shapeType"] = in["shapeType"].asCString();
  params["markedName"] = in["makedName"].asCString();
  params["data"] = in["data"].asCString();
  params["param"] = in["param"].asCString();
  params["containerID"] = 0;
  WriteRequest("CreateMainVideoAnalyseShape", std::move(params));
  WriteReply(1, std::stoi(ReadResult(kShapeReply).asString()));
}

void ParseFloor(const char* text) {
  Json::Value root;
  Parse(text, &root);
}

// A shape's change: besides the parse, the page event's one argument is a
// styled document of the event name and the shape's page-side fields.
void VideoAnalyzeConfigFloor() {
  Json::Value root;
  Parse(kVideoAnalyzeConfigEvent, &root);
  const Json::Value& in = root["params"];
  Json::Value document;
  document["EventName"] = in["eventName"].asString();
  Json::Value& shape = document["EventParam"];
  shape["ShapeName"] = in["markedName"].asString();
  shape["ShapeID"] = std::stoi(in["shapeID"].asString());
  shape["PreShapeState"] = in["preState"].asInt();
  shape["ShapeState"] = in["curState"].asInt();
  Write(document);
}

Json::Value RequestDocument() {
  Json::Value request;
  request["method"] = "LoginDevice";
  request["params"]["ip"] = "192.168.1.108";
  request["params"]["svrPort"] = 37777;
  request["params"]["userName"] = "admin";
  request["params"]["password"] = "admin123";
  request["params"]["specCap"] = 0;
  return request;
}

Json::Value ReplyDocument() {
  Json::Value reply;
  reply["id"] = 12;
  reply["result"]["playerId"] = 3;
  reply["result"]["size"].append(1920);
  reply["result"]["size"].append(1080);
  reply["result"]["fps"] = 25.0;
  reply["result"]["codec"] = "H.265";
  return reply;
}

BenchLine StyledLine(const char* name, const Json::Value& document) {
  return {std::string("styled/") + name, nullptr,
          [&document] {
            std::string text = Foundation::WriteStyled(document);
            benchmark::DoNotOptimize(text.data());
          },
          [&document] {
            Json::StyledWriter writer;
            std::string text = writer.write(document);
            benchmark::DoNotOptimize(text.data());
          }};
}

// The plug-in and one host for all lines; the host goes first.
struct Session {
  std::unique_ptr<hostsim::PluginLibrary> library;
  std::unique_ptr<BenchHost> host;
  ~Session() { host.reset(); }
};

Foundation::IComInterface* MethodOrThrow(BenchHost* host, const char* name) {
  Foundation::IComInterface* method = host->Method(name);
  if (method == nullptr) throw std::runtime_error(std::string("no page method ") + name);
  return method;
}

BenchLine CallLine(BenchHost* host, const char* name, const char* call_text, const char* reply,
                   std::function<void()> floor) {
  Foundation::IComInterface* method = MethodOrThrow(host, name);
  return {std::string("call/") + name, [host, reply] { host->SetReply(reply); },
          [host, method, call_text] {
            if (!host->Call(method, call_text)) throw std::runtime_error("call refused");
          },
          std::move(floor)};
}

BenchLine EventLine(BenchHost* host, const char* name, const char* text,
                    std::function<void()> floor = nullptr) {
  if (!floor) floor = [text] { ParseFloor(text); };
  return {std::string("event/") + name, nullptr, [host, text] { host->Inbound(text); }, std::move(floor)};
}

std::vector<BenchLine> BuildLines(Session* session, const std::string& plugin_path) {
  std::string error;
  session->library = hostsim::PluginLibrary::Load(plugin_path, &error);
  if (!session->library) throw std::runtime_error(error);
  session->host = std::make_unique<BenchHost>(session->library->exports());
  BenchHost* host = session->host.get();

  // A first login and a stored authority list put LoginDeviceEx on its
  // five-request path.
  host->SetReply(kLoginReply);
  host->Call(MethodOrThrow(host, "SetConfig"), kSetConfigAuthorityCall);
  host->Call(MethodOrThrow(host, "LoginDeviceEx"), kLoginDeviceExCall);

  static const Json::Value request = RequestDocument();
  static const Json::Value reply = ReplyDocument();
  std::vector<BenchLine> lines;
  // No set answers GetViewPlayer, so every connection misses the cache.
  lines.push_back(CallLine(host, "ConnectRealVideo", kConnectRealVideoCall, kPlayerReply,
                           ConnectRealVideoFloor));
  lines.push_back(CallLine(host, "LoginDeviceEx", kLoginDeviceExCall, kLoginReply, LoginDeviceExFloor));
  lines.push_back(CallLine(host, "SetFeShowMode", kSetFeShowModeCall, kTrueReply, SetFeShowModeFloor));
  lines.push_back(CallLine(host, "CreateMainVideoAnalyseShape", kCreateMainShapeCall, kShapeReply,
                           CreateMainShapeFloor));
  lines.push_back(EventLine(host, "SelectedFileInfo", kSelectedFileInfoEvent));
  lines.push_back(EventLine(host, "FocusStatus", kFocusStatusEvent));
  lines.push_back(EventLine(host, "VideoAnalyzeConfig", kVideoAnalyzeConfigEvent, VideoAnalyzeConfigFloor));
  lines.push_back(StyledLine("request", request));
  lines.push_back(StyledLine("reply", reply));
  lines.push_back(StyledLine("analysis4k", AnalysisDocument()));
  return lines;
}

}  // namespace

const std::vector<BenchLine>& Lines(const std::string& plugin_path) {
  static Session session;
  static const std::vector<BenchLine> lines = BuildLines(&session, plugin_path);
  return lines;
}

}  // namespace bench
