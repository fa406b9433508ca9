#include "adapters/regionclip/region_clip.h"

#include <string>

#include <json/value.h>

#include "adapters/live/host_calls.h"
#include "runtime/com_method.h"
#include "runtime/json_text.h"
#include "runtime/module_registry.h"

namespace Shimwell {

using namespace OrvikComponentInterface;
using fastdelegate::MakeDelegate;

namespace {

constexpr int kFailed = -1;

Json::Value Point(int x, int y) {
  Json::Value point(Json::arrayValue);
  point.append(x);
  point.append(y);
  return point;
}

// {"clipShape": [[width, height], [left, top], [right, buttom]]}, styled.
std::string ClipDocument(int width, int height, int left, int top, int right, int buttom) {
  Json::Value pairs(Json::arrayValue);
  pairs.append(Point(width, height));
  pairs.append(Point(left, top));
  pairs.append(Point(right, buttom));
  Json::Value document(Json::objectValue);
  document["clipShape"] = pairs;
  return Foundation::WriteStyled(document);
}

}  // namespace

CRegionClip::CRegionClip(HostContext* host_context) : hostContext(host_context) {
  ConnectSignal(hostContext, "ImplComLoaded", MakeDelegate(this, &CRegionClip::OnImplComLoaded));
  PublishPageMethod(hostContext, "RegionClip", Foundation::MakeComMethod(this, &CRegionClip::RegionClip, {"width", "height", "left", "top", "right", "buttom"}));
}

CRegionClip::~CRegionClip() { ReleaseClipShape(); }

void CRegionClip::Create(HostContext* host_context, void* /*unused*/) {
  RegisterAdapter<CRegionClip>(host_context, "class Shimwell::CRegionClip");
}

void CRegionClip::OnImplComLoaded() {
  shapeFactorySet = QueryShared<IVideoAnalysisShapeFactorySet>(hostContext, kShapeFactorySetName);
  displayMgrSet = QueryShared<IMultiNodeDisplayMgrSet>(hostContext, kDisplayMgrSetName);
  playerMgrSet = QueryShared<IPlayerMgrSet>(hostContext, kPlayerMgrSetName);
}

void CRegionClip::ReleaseClipShape() {
  if (currentClipShape == nullptr) return;
  currentClipShape->ReleaseShape();
  currentClipShape = nullptr;
}

int CRegionClip::RegionClip(int width, int height, int left, int top, int right, int buttom) {
  ReleaseClipShape();
  if (width == 0 && height == 0) return kFailed;
  const int view = CallSet(displayMgrSet, &IMultiNodeDisplayMgrSet::GetCurrentView);
  const int player = CallSet(playerMgrSet, &IPlayerMgrSet::GetViewPlayer, view);
  if (view < 0 || player < 0) return kFailed;
  currentClipShape = CallSet(shapeFactorySet, &IVideoAnalysisShapeFactorySet::CreateAnalysisShape,
                             "RegionClip", view, player, hostContext);
  if (currentClipShape == nullptr) return kFailed;
  const std::string document = ClipDocument(width, height, left, top, right, buttom);
  currentClipShape->ConfigureShape("clipShape", document.c_str(), "");
  return 0;
}

}  // namespace Shimwell

SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY(Shimwell::CRegionClip::Create, Foundation::kRegionClipOrder);
