// A stand-in plug-in built into the test programs: its exports build one
// FakeAdapter per LoadImplObjects and let the test say what it does, so each
// test shows exactly the plug-in behaviour it puts the host through.
#ifndef SHIMWELL_TOOLS_HOSTSIM_FAKE_PLUGIN_H_
#define SHIMWELL_TOOLS_HOSTSIM_FAKE_PLUGIN_H_

#include <cstdint>
#include <cstring>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "host/interface_sets.h"
#include "runtime/any.h"
#include "runtime/com_interface.h"
#include "runtime/event_variant.h"
#include "runtime/shared_ptr.h"
#include "tools/hostsim/plugin_exports.h"

namespace hostsim {
namespace fake {

// One 16-byte event record, written the way the host reads it.
struct Record {
  alignas(8) unsigned char bytes[16] = {};
  static Record Of(std::uint32_t kind, const void* value, std::size_t size) {
    Record r;
    std::memcpy(r.bytes, value, size);
    std::memcpy(r.bytes + 8, &kind, sizeof kind);
    return r;
  }
};
Record Int(std::int32_t value);
Record Real(double value);
Record Bool(bool value);
Record Text(const char* text, std::uint32_t kind = Foundation::EventVariant::kText);

// A page method whose operations are the test's functions.
class Method final : public Foundation::IComInterface {
 public:
  using InvokeFunction = std::function<bool(int, const char*, const Foundation::ReplyDelegate&)>;
  Method(std::vector<std::string> names, InvokeFunction invoke);
  ~Method() override;
  int GetParamCount() override { return static_cast<int>(names_.size()); }
  const char* GetParamsTemplate() override { return "{\"template\": true}"; }
  bool GetParamNames(char* buffer, int count) override;
  bool CheckParams(int count, const char* text) override;
  bool Invoke(int id, const char* text, const Foundation::ReplyDelegate& reply) override {
    return invoke_(id, text, reply);
  }
  static int alive;

 private:
  std::vector<std::string> names_;
  InvokeFunction invoke_;
};

// std::function<R(A...)>, in a form that takes no part in deduction.
template <typename R, typename... A>
struct Function {
  using type = std::function<R(A...)>;
};

class FakeAdapter {
 public:
  explicit FakeAdapter(OrvikComponentInterface::HostContext* host_context) : context(host_context) {
    ++alive;
  }
  ~FakeAdapter() { --alive; }

  // A delegate that runs `body`; the adapter keeps the body alive.
  template <typename R, typename... A>
  fastdelegate::Delegate<R, A...> Bind(typename Function<R, A...>::type body) {
    auto callback = std::make_unique<Callback<R, A...>>();
    callback->body = std::move(body);
    fastdelegate::Delegate<R, A...> delegate(callback.get(), &Callback<R, A...>::Run);
    callbacks_.push_back(std::move(callback));
    return delegate;
  }

  // Hands the host an Any holding `delegate`, destroyed after the call.
  template <typename D>
  void Connect(const char* signal, const D& delegate) {
    Foundation::Any any(delegate);
    context->ConnectSignal(signal, &any);
  }
  void Publish(const char* name, std::vector<std::string> names, Method::InvokeFunction invoke);
  void Fire(const char* name, std::vector<Record> records);
  // Looks a set or object up and keeps the reference, as adapters do.
  template <typename T>
  Foundation::CSharedPtr<T> Query(const char* type_name) {
    Foundation::Any any = context->QueryObject("", type_name);
    if (any.empty() || any.type() != typeid(Foundation::CSharedPtr<T>)) return {};
    return static_cast<Foundation::Any::Holder<Foundation::CSharedPtr<T>>*>(any.content)->held;
  }

  OrvikComponentInterface::HostContext* context;
  Foundation::CSharedPtr<OrvikComponentInterface::IAdaptorSet> adaptor;
  static int alive;

 private:
  struct CallbackBase {
    virtual ~CallbackBase() = default;
  };
  template <typename R, typename... A>
  struct Callback final : CallbackBase {
    R Run(A... args) { return body(args...); }
    std::function<R(A...)> body;
  };
  std::deque<std::unique_ptr<CallbackBase>> callbacks_;
};

// What each LoadImplObjects does with the adapter it made and registered
// under "class Fake::CAdapter".
void OnLoad(std::function<void(FakeAdapter&)> setup);
PluginExports Exports();

}  // namespace fake
}  // namespace hostsim

#endif  // SHIMWELL_TOOLS_HOSTSIM_FAKE_PLUGIN_H_
