// Shimwell::CRegionClip: the region clip adapter.
//
// It lets the page draw one clip region on the current view: "RegionClip"
// asks the host's analysis-shape factory for a "RegionClip" shape on the
// view's player and configures it with the region.  Each call first takes
// the previous region away, so at most one is drawn.  The method is
// published at construction, whatever the page type.  The host owns the
// adapter through the shared pointer its factory registers under
// "class Shimwell::CRegionClip".
#ifndef SHIMWELL_ADAPTERS_REGIONCLIP_REGION_CLIP_H_
#define SHIMWELL_ADAPTERS_REGIONCLIP_REGION_CLIP_H_

#include "host/interface_sets.h"
#include "runtime/shared_ptr.h"

namespace Shimwell {

class CRegionClip {
 public:
  explicit CRegionClip(OrvikComponentInterface::HostContext* host_context);
  CRegionClip(const CRegionClip&) = delete;
  CRegionClip& operator=(const CRegionClip&) = delete;
  // Releases the clip shape drawn last, so that nothing stays on screen for
  // an adapter that is gone, then the sets in reverse order of declaration.
  ~CRegionClip();

  // Builds an adapter and registers it with the host (the module factory).
  static void Create(OrvikComponentInterface::HostContext* host_context, void* unused);

  // Host signal: looks the three sets up.
  void OnImplComLoaded();

  // Page method: 0 when a clip shape was made and configured, else -1.  Both
  // sizes 0 only takes the current region away.
  int RegionClip(int width, int height, int left, int top, int right, int buttom);

 private:
  void ReleaseClipShape();

  OrvikComponentInterface::HostContext* hostContext;
  Foundation::CSharedPtr<OrvikComponentInterface::IVideoAnalysisShapeFactorySet> shapeFactorySet;
  Foundation::CSharedPtr<OrvikComponentInterface::IMultiNodeDisplayMgrSet> displayMgrSet;
  Foundation::CSharedPtr<OrvikComponentInterface::IPlayerMgrSet> playerMgrSet;
  // The region drawn last; owned by the host, released through its own slot.
  OrvikComponentInterface::IAnalysisShape* currentClipShape = nullptr;
};

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_REGIONCLIP_REGION_CLIP_H_
