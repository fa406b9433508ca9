// The image overlay: a picture shown over the current view in a host image
// shape, made once and moved whenever its view moves.
#include <cmath>

#include "adapters/live/host_calls.h"
#include "adapters/live/protocol2.h"
#include "adapters/live/shimwell.h"

namespace Shimwell {

using OrvikComponentInterface::IMultiNodeDisplayMgrSet;

bool CShimwell::ShowImageInWindow(const char* path, bool enable) {
  if (!CallSet(displayMgrSet, &IMultiNodeDisplayMgrSet::DisplayFlag)) {
    CallSet(displayMgrSet, &IMultiNodeDisplayMgrSet::DisplayAction);
    Notify(hostContext, "ShowToolbar", Members({{"visible", false}}));
  }
  if (imageShape == nullptr) {
    OrvikComponentInterface::IViewObject* view =
        CallSet(displayMgrSet, &IMultiNodeDisplayMgrSet::GetViewObject, CurrentView());
    if (view != nullptr) imageShape = view->CreateShape("ImageShape");
  }
  // Without a view object or a shape there is nothing to show the image in.
  if (imageShape == nullptr) return false;
  const wpRect rect = CallSet(displayMgrSet, &IMultiNodeDisplayMgrSet::GetViewRect, CurrentView());
  imageShape->SetVisible(enable);
  PlaceImageShape(rect);
  imageShape->SetImage(0, 0, 0, 0, path, CallSet(displayMgrSet, &IMultiNodeDisplayMgrSet::DisplayValue));
  return true;
}

void CShimwell::OnViewRegionChange(int view, const wpRect& /*unused*/) {
  if (imageShape == nullptr || !imageShape->IsVisible()) return;
  PlaceImageShape(CallSet(displayMgrSet, &IMultiNodeDisplayMgrSet::GetViewRect, view));
}

void CShimwell::PlaceImageShape(const wpRect& rect) {
  imageShape->SetGeometry(rect.left, rect.top, std::fabs(rect.right - rect.left),
                          std::fabs(rect.bottom - rect.top));
}

}  // namespace Shimwell
