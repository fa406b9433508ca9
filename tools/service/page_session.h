// PageSession: one page connection's component host, with its own plug-in
// adapters and its own simulated device, driven by the page protocol (see
// README).  Every method runs on the launcher's main thread, the only
// thread that calls into the plug-in.
#ifndef SHIMWELL_TOOLS_SERVICE_PAGE_SESSION_H_
#define SHIMWELL_TOOLS_SERVICE_PAGE_SESSION_H_

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <json/value.h>

#include "tools/device/device.h"
#include "tools/hostsim/host.h"
#include "tools/hostsim/output_sink.h"
#include "tools/service/service_config.h"

namespace ferrowyn {

// Error codes of the answers, JSON-RPC's where they fit.
enum ErrorCode {
  kParseError = -32700,
  kInvalidRequest = -32600,
  kMethodNotFound = -32601,
  kInvalidParams = -32602,
  kInternalError = -32603,
  kPluginException = -32000,
  kSessionState = -32001,
};

class PageSession final : public hostsim::OutputSink {
 public:
  using Send = std::function<void(const std::string& message)>;

  // Loads the adapters and announces the session to them.
  PageSession(const hostsim::PluginExports& plugin, const ServiceConfig& config, Send send);
  // Releases the adapters and method objects.
  ~PageSession() override;
  PageSession(const PageSession&) = delete;
  PageSession& operator=(const PageSession&) = delete;

  // Handles one message of the page; everything it causes is sent.
  void Handle(const std::string& text);

  // The host's output lines: page events, call replies, view objects.
  void WriteLine(const std::string& line) override;

 private:

  void Answer(const Json::Value& id, const Json::Value& result);
  void Fail(const Json::Value& id, int code, const std::string& message);
  void OpenSession(const Json::Value& id, const Json::Value& params);
  void CallPlugin(const Json::Value& id, int call_id, const std::string& method, const Json::Value& params);
  // Delivers what the device did on its own, then pushes the view state
  // when it changed.
  void Settle();
  void SyncAnswers();
  Json::Value ViewState() const;
  Json::Value Methods() const;

  Send send_;
  device::Device device_;
  std::unique_ptr<hostsim::Host> host_;
  bool opened_ = false;
  bool view_created_ = false;
  // What the plug-in did during the current call, read from the host's lines.
  struct CallOutcome {
    bool active = false;
    std::vector<std::string> replies;
    std::vector<std::string> exceptions;
    bool rejected = false;
  } call_;
  std::vector<std::pair<std::string, std::vector<std::string>>> registered_;  // name, param names
  Json::Value overlay_ = Json::Value(Json::objectValue);
  Json::Value shapes_ = Json::Value(Json::objectValue);
  Json::Value clip_view_;  // the view the clip region was drawn on
  std::string last_view_state_;
};

}  // namespace ferrowyn

#endif  // SHIMWELL_TOOLS_SERVICE_PAGE_SESSION_H_
