// What scripts through the host cannot see: when the adapter lets go of the
// host's interface sets, which handler the shared inbound table keeps, and
// the wiring of a page announced before the sets were looked up.
#include "adapters/live/shimwell.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "runtime/any.h"
#include "runtime/shared_ptr.h"

namespace Shimwell {
namespace {

using Foundation::Any;
using Foundation::CSharedPtr;
using Foundation::EventVariant;
using namespace OrvikComponentInterface;

// The names of the sets whose last reference went, in that order.
std::vector<std::string>* g_released = nullptr;

template <class Set>
CSharedPtr<Set> TrackedSet(const char* name) {
  static std::map<const Set*, std::string> names;
  Set* set = new Set();
  names[set] = name;
  return CSharedPtr<Set>(set, [](Set* released) {
    if (g_released != nullptr) g_released->push_back(names[released]);
    names.erase(released);
    delete released;
  });
}

// A host that hands out the sets it was given, records the signals it was
// asked to connect and the events fired, and owns the methods registered.
class FakeHost {
 public:
  FakeHost() {
    context.ConnectSignal = Pair<void, const char*, Any*>(this, &FakeHost::Connect);
    context.QueryObject = Pair<Any, const char*, const char*>(this, &FakeHost::Query);
    context.RegisterPageMethod =
        Pair<void, const char*, int, Foundation::IComInterface*>(this, &FakeHost::Register);
    context.FirePageEvent = Pair<void, const char*, EventVariant*, int>(this, &FakeHost::Fire);
  }
  ~FakeHost() {
    for (Foundation::IComInterface* method : methods) delete method;
  }

  // Gives every set a fresh object and ICustomerInfoSet the "web3.0" type.
  void OfferAllSets() {
    auto customer = TrackedSet<ICustomerInfoSet>("customerInfo");
    customer->GetWebType = Pair<const char*>(this, &FakeHost::WebType);
    objects[kDisplayMgrSetName] = TrackedSet<IMultiNodeDisplayMgrSet>("displayMgr");
    objects[kPlayerMgrSetName] = TrackedSet<IPlayerMgrSet>("playerMgr");
    objects[kDeviceManagerSetName] = TrackedSet<IDeviceManagerSet>("deviceManager");
    objects[kAdaptorSetName] = TrackedSet<IAdaptorSet>("adaptor");
    objects[kCustomerInfoSetName] = customer;
    objects[kPTZLocateSetName] = TrackedSet<IPTZLocateSet>("ptzLocate");
    objects[kTimerSetName] = TrackedSet<ITimerSet>("timer");
  }

  void Connect(const char* signal, Any* delegate) {
    connected.push_back(signal);
    signals.emplace(signal, *delegate);
  }
  Any Query(const char*, const char* type_name) {
    const auto found = objects.find(type_name);
    return found == objects.end() ? Any() : found->second;
  }
  void Register(const char* name, int, Foundation::IComInterface* method) {
    registered.push_back(name);
    methods.push_back(method);
  }
  void Fire(const char* name, EventVariant*, int) { fired.push_back(name); }
  const char* WebType() { return "web3.0"; }

  template <class Delegate>
  void Signal(const char* name) {
    for (auto [it, end] = signals.equal_range(name); it != end; ++it) {
      Foundation::AnyCast<Delegate>(it->second)();
    }
  }

  HostContext context;
  std::map<std::string, Any> objects;
  std::multimap<std::string, Any> signals;
  std::vector<std::string> connected;
  std::vector<std::string> registered;
  std::vector<Foundation::IComInterface*> methods;
  std::vector<std::string> fired;
};

using Signal0 = fastdelegate::FastDelegate0<void>;

class AdapterTest : public ::testing::Test {
 protected:
  AdapterTest() { g_released = &released; }
  ~AdapterTest() override { g_released = nullptr; }

  std::vector<std::string> released;
  FakeHost host;
};

TEST_F(AdapterTest, DestructionReleasesTheSetsLastAcquiredFirst) {
  auto* adapter = new CShimwell(&host.context);
  host.OfferAllSets();
  host.Signal<Signal0>("InterfaceInstantiationSignal");
  host.objects.clear();  // the adapter now holds the only references
  EXPECT_TRUE(released.empty());

  delete adapter;
  EXPECT_EQ(released, (std::vector<std::string>{"timer", "ptzLocate", "customerInfo", "adaptor",
                                                "deviceManager", "playerMgr", "displayMgr"}));
}

TEST_F(AdapterTest, RepeatedInstantiationReplacesEachSetOnce) {
  CShimwell adapter(&host.context);
  host.OfferAllSets();
  host.Signal<Signal0>("InterfaceInstantiationSignal");
  host.OfferAllSets();  // the first sets are now held by the adapter alone
  host.Signal<Signal0>("InterfaceInstantiationSignal");
  EXPECT_EQ(released, (std::vector<std::string>{"displayMgr", "playerMgr", "deviceManager",
                                                "adaptor", "customerInfo", "ptzLocate", "timer"}));
  released.clear();
  host.objects.clear();
  EXPECT_TRUE(released.empty()) << "the adapter holds the new sets";
}

TEST_F(AdapterTest, FailedLookupKeepsTheSetsBeforeIt) {
  CShimwell adapter(&host.context);
  host.OfferAllSets();
  host.objects.erase(kAdaptorSetName);
  EXPECT_THROW(host.Signal<Signal0>("InterfaceInstantiationSignal"), std::bad_cast);
  const auto device = Foundation::AnyCast<CSharedPtr<IDeviceManagerSet>>(host.objects[kDeviceManagerSetName]);
  const auto customer = Foundation::AnyCast<CSharedPtr<ICustomerInfoSet>>(host.objects[kCustomerInfoSetName]);
  EXPECT_EQ(device.use_count(), 3) << "held by the host, the adapter and this test";
  EXPECT_EQ(customer.use_count(), 2) << "never looked up";
}

TEST_F(AdapterTest, WiringWithoutAdaptorRecordStillFillsTheTableAndConnects) {
  CShimwell adapter(&host.context);
  host.OfferAllSets();
  host.objects[kAdaptorSetName] = CSharedPtr<IAdaptorSet>();  // held, but empty
  host.Signal<Signal0>("InterfaceInstantiationSignal");
  host.Signal<Signal0>("ImplComLoaded");
  host.Signal<Signal0>("WebTypeSignal");

  EXPECT_EQ(host.registered.size(), 41U);
  EXPECT_EQ(std::vector<std::string>(host.connected.end() - 3, host.connected.end()),
            (std::vector<std::string>{"CatchOnePicture", "videoPlayWinRegionChangeSignal",
                                      "ModeChangedSignal"}));
  adapter.HandleInboundText(R"({"event": "RecordDiskFull"})");
  EXPECT_EQ(host.fired, std::vector<std::string>{"RecordDiskFull"});
}

// Stands in for another adapter that adds its events to the shared table.
class OtherAdapter {
 public:
  void First(const Json::Value& params) { calls.push_back("first " + params["n"].asString()); }
  void Second(const Json::Value& params) { calls.push_back("second " + params["n"].asString()); }
  std::vector<std::string> calls;
};

TEST_F(AdapterTest, InboundTableKeepsTheFirstHandlerOfAName) {
  CShimwell adapter(&host.context);
  OtherAdapter other;
  AddInboundEventHandler("DownLoadError", &adapter, InboundEventHandler(&other, &OtherAdapter::First));
  AddInboundEventHandler("DownLoadError", &adapter, InboundEventHandler(&other, &OtherAdapter::Second));
  // A name the adapter fills in itself later keeps the entry made before.
  AddInboundEventHandler("RecordDiskFull", &adapter, InboundEventHandler(&other, &OtherAdapter::Second));
  host.OfferAllSets();
  host.Signal<Signal0>("InterfaceInstantiationSignal");
  host.Signal<Signal0>("ImplComLoaded");
  host.Signal<Signal0>("WebTypeSignal");

  adapter.HandleInboundText(R"({"event": "DownLoadError", "params": {"n": "1"}})");
  adapter.HandleInboundText(R"({"event": "RecordDiskFull", "params": {"n": "2"}})");
  EXPECT_EQ(other.calls, (std::vector<std::string>{"first 1", "second 2"}));
  EXPECT_TRUE(host.fired.empty());
}

TEST_F(AdapterTest, RemovingAHandlerTakesOnlyThatHandlersEntry) {
  CShimwell adapter(&host.context);
  OtherAdapter owner;
  OtherAdapter stranger;
  AddInboundEventHandler("DownLoadError", &adapter, InboundEventHandler(&owner, &OtherAdapter::First));
  // Another object, or another member of the same object, is not the entry.
  RemoveInboundEventHandler("DownLoadError", &adapter, InboundEventHandler(&stranger, &OtherAdapter::First));
  RemoveInboundEventHandler("DownLoadError", &adapter, InboundEventHandler(&owner, &OtherAdapter::Second));
  adapter.HandleInboundText(R"({"event": "DownLoadError", "params": {"n": "1"}})");

  RemoveInboundEventHandler("DownLoadError", &adapter, InboundEventHandler(&owner, &OtherAdapter::First));
  adapter.HandleInboundText(R"({"event": "DownLoadError", "params": {"n": "2"}})");
  EXPECT_EQ(owner.calls, std::vector<std::string>{"first 1"});
  EXPECT_TRUE(stranger.calls.empty());

  // The name is free again for whoever comes next.
  AddInboundEventHandler("DownLoadError", &adapter, InboundEventHandler(&stranger, &OtherAdapter::Second));
  adapter.HandleInboundText(R"({"event": "DownLoadError", "params": {"n": "3"}})");
  EXPECT_EQ(stranger.calls, std::vector<std::string>{"second 3"});
}

TEST_F(AdapterTest, HandlerExceptionsStayInsideThePlugIn) {
  CShimwell adapter(&host.context);
  struct Thrower {
    void Throw(const Json::Value&) { throw std::runtime_error("handler failed"); }
  } thrower;
  AddInboundEventHandler("Boom", &adapter, InboundEventHandler(&thrower, &Thrower::Throw));
  EXPECT_NO_THROW(adapter.HandleInboundText(R"({"event": "Boom"})"));
}

}  // namespace
}  // namespace Shimwell
