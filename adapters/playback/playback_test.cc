// What scripts through the host cannot show: the playback adapter going
// before the live-view adapter whose inbound table holds its handler.
#include "adapters/playback/playback.h"

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "runtime/any.h"

namespace Shimwell {
namespace {

using Foundation::Any;
using Foundation::CSharedPtr;
using Foundation::EventVariant;
using namespace OrvikComponentInterface;

template <class T>
CSharedPtr<T> Owned(T* object) {
  return CSharedPtr<T>(object, [](T* p) { delete p; });
}

// A host with every set the playback adapter looks up, a "web3.0" page, a
// live-view adapter it can swap, and a list of the page events fired.
// Signals and page methods are left unbound: the tests call the handlers.
class FakeHost {
 public:
  FakeHost() {
    context.QueryObject = Pair<Any, const char*, const char*>(this, &FakeHost::Query);
    context.FirePageEvent = Pair<void, const char*, EventVariant*, int>(this, &FakeHost::Fire);
    auto customer = Owned(new ICustomerInfoSet());
    customer->GetWebType = Pair<const char*>(this, &FakeHost::WebType);
    objects[kDisplayMgrSetName] = Owned(new IMultiNodeDisplayMgrSet());
    objects[kPlayerMgrSetName] = Owned(new IPlayerMgrSet());
    objects[kDeviceManagerSetName] = Owned(new IDeviceManagerSet());
    objects[kCustomerInfoSetName] = customer;
    NewLiveAdapter();
  }

  // Registers a new live-view adapter; look-ups find it from now on.
  CShimwell* NewLiveAdapter() {
    auto live = Owned(new CShimwell(&context));
    objects["class Shimwell::CShimwell"] = live;
    return live.get();
  }
  CShimwell* live() {
    return Foundation::AnyCast<CSharedPtr<CShimwell>>(objects["class Shimwell::CShimwell"]).get();
  }

  Any Query(const char*, const char* type_name) { return objects[type_name]; }
  void Fire(const char* name, EventVariant*, int count) {
    fired.push_back(std::string(name) + "/" + std::to_string(count));
  }
  const char* WebType() { return "web3.0"; }

  HostContext context;
  std::map<std::string, Any> objects;
  std::vector<std::string> fired;
};

constexpr char kDownLoadError[] = R"({"event": "DownLoadError", "params": {"code": 3}})";

// A playback adapter that has looked its sets up and added its handler.
CPlayback* PublishedPlayback(FakeHost* host) {
  auto* playback = new CPlayback(&host->context);
  playback->OnInterfaceInstantiation();
  playback->OnWebType();
  return playback;
}

TEST(PlaybackLifetimeTest, DestroyedAdapterNoLongerReceivesDownLoadError) {
  FakeHost host;
  CPlayback* playback = PublishedPlayback(&host);
  host.live()->HandleInboundText(kDownLoadError);
  ASSERT_EQ(host.fired, std::vector<std::string>{"DownLoadError/2"});

  delete playback;
  host.live()->HandleInboundText(kDownLoadError);
  EXPECT_EQ(host.fired, std::vector<std::string>{"DownLoadError/2"});
}

TEST(PlaybackLifetimeTest, AnotherHandlersEntryStaysWhenTheAdapterGoes) {
  FakeHost host;
  struct Other {
    void Handle(const Json::Value&) { ++calls; }
    int calls = 0;
  } other;
  AddInboundEventHandler("DownLoadError", host.live(), InboundEventHandler(&other, &Other::Handle));
  delete PublishedPlayback(&host);
  host.live()->HandleInboundText(kDownLoadError);
  EXPECT_EQ(other.calls, 1);
  EXPECT_TRUE(host.fired.empty());
}

TEST(PlaybackLifetimeTest, AdapterLeavesTheTableOfALiveAdapterItLetsGo) {
  FakeHost host;
  CPlayback* playback = PublishedPlayback(&host);
  // Keep the first live-view adapter alive beyond the playback adapter.
  const Any first = host.objects["class Shimwell::CShimwell"];
  CShimwell* second = host.NewLiveAdapter();
  playback->OnInterfaceInstantiation();
  playback->OnWebType();
  delete playback;

  Foundation::AnyCast<CSharedPtr<CShimwell>>(first)->HandleInboundText(kDownLoadError);
  second->HandleInboundText(kDownLoadError);
  EXPECT_TRUE(host.fired.empty());
}

}  // namespace
}  // namespace Shimwell
