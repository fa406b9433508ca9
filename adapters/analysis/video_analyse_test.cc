// What scripts through the host cannot see: the adapter's entry in the live
// view adapter's inbound table once the adapter is gone.
#include "adapters/analysis/video_analyse.h"

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

// A host that answers look-ups from a map (the sets held empty) and records
// the page events fired.
class FakeHost {
 public:
  FakeHost() {
    context.QueryObject = Pair<Any, const char*, const char*>(this, &FakeHost::Query);
    context.FirePageEvent = Pair<void, const char*, EventVariant*, int>(this, &FakeHost::Fire);
    objects[kDisplayMgrSetName] = CSharedPtr<IMultiNodeDisplayMgrSet>();
    objects[kPlayerMgrSetName] = CSharedPtr<IPlayerMgrSet>();
    objects[kDeviceManagerSetName] = CSharedPtr<IDeviceManagerSet>();
    objects[kCustomerInfoSetName] = CSharedPtr<ICustomerInfoSet>();
  }

  Any Query(const char*, const char* type_name) {
    const auto found = objects.find(type_name);
    return found == objects.end() ? Any() : found->second;
  }
  void Fire(const char* name, EventVariant*, int) { fired.push_back(name); }

  HostContext context;
  std::map<std::string, Any> objects;
  std::vector<std::string> fired;
};

constexpr char kShapeEvent[] = R"({"event": "VideoAnalyzeConfig", "params": {"markedName": "Polygon"}})";

class AnalysisTest : public ::testing::Test {
 protected:
  AnalysisTest() : live(new CShimwell(&host.context), [](CShimwell* p) { delete p; }) {
    host.objects["class Shimwell::CShimwell"] = live;
  }

  FakeHost host;
  CSharedPtr<CShimwell> live;
};

TEST_F(AnalysisTest, DestroyedAdapterTakesItsEntryOutOfTheTable) {
  auto* analysis = new CVideoAnalyse(&host.context);
  analysis->OnInterfaceInstantiation();
  live->HandleInboundText(kShapeEvent);
  EXPECT_EQ(host.fired, std::vector<std::string>{"VideoAnalyzeConfig"});

  delete analysis;
  live->HandleInboundText(kShapeEvent);
  EXPECT_EQ(host.fired.size(), 1U) << "the event has no handler any more";
}

// Stands in for another adapter that took the name first.
struct OtherHandler {
  void Handle(const Json::Value&) { ++calls; }
  int calls = 0;
};

TEST_F(AnalysisTest, DestroyedAdapterLeavesAnotherHandlersEntry) {
  OtherHandler other;
  AddInboundEventHandler("VideoAnalyzeConfig", live.get(),
                         InboundEventHandler(&other, &OtherHandler::Handle));
  auto* analysis = new CVideoAnalyse(&host.context);
  analysis->OnInterfaceInstantiation();
  delete analysis;

  live->HandleInboundText(kShapeEvent);
  EXPECT_EQ(other.calls, 1);
  EXPECT_TRUE(host.fired.empty());
}

TEST_F(AnalysisTest, ReplacedLiveAdapterLosesTheEntryAtOnce) {
  CVideoAnalyse analysis(&host.context);
  analysis.OnInterfaceInstantiation();
  CSharedPtr<CShimwell> next(new CShimwell(&host.context), [](CShimwell* p) { delete p; });
  host.objects["class Shimwell::CShimwell"] = next;
  analysis.OnInterfaceInstantiation();

  live->HandleInboundText(kShapeEvent);
  EXPECT_TRUE(host.fired.empty()) << "the first live-view adapter may outlive the analysis adapter";
  next->HandleInboundText(kShapeEvent);
  EXPECT_EQ(host.fired, std::vector<std::string>{"VideoAnalyzeConfig"});
}

TEST_F(AnalysisTest, AdapterOutlivingTheHostsLiveReferenceStillCleansUp) {
  auto* analysis = new CVideoAnalyse(&host.context);
  analysis->OnInterfaceInstantiation();
  // The host lets go of the live-view adapter first; the analysis adapter's
  // reference keeps it, and its table, until the analysis adapter goes.
  host.objects.clear();
  live.reset();
  delete analysis;
}

}  // namespace
}  // namespace Shimwell
