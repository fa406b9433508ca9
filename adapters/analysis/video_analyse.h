// Shimwell::CVideoAnalyse: the video analysis adapter.
//
// It lets a "web3.0" page draw and manage analysis shapes (lines,
// rectangles, polygons and the like) that the service keeps in one
// container.  Each of its page methods becomes zero, one or two Protocol2
// requests; shape creation and configuration read-back translate between the
// page's and the service's shape vocabulary (shape_vocabulary.h).  Shape
// changes come back as the inbound event "VideoAnalyzeConfig", which it
// handles through the live-view adapter's inbound table.  The host owns it
// through the shared pointer its factory registers under
// "class Shimwell::CVideoAnalyse".
#ifndef SHIMWELL_ADAPTERS_ANALYSIS_VIDEO_ANALYSE_H_
#define SHIMWELL_ADAPTERS_ANALYSIS_VIDEO_ANALYSE_H_

#include <string>

#include <json/value.h>

#include "adapters/live/live_adapter_link.h"
#include "adapters/live/shimwell.h"
#include "host/interface_sets.h"
#include "runtime/shared_ptr.h"

namespace Shimwell {

class CVideoAnalyse {
 public:
  explicit CVideoAnalyse(OrvikComponentInterface::HostContext* host_context);
  CVideoAnalyse(const CVideoAnalyse&) = delete;
  CVideoAnalyse& operator=(const CVideoAnalyse&) = delete;
  // Releases the strings, then the live-view link (which takes this
  // adapter's "VideoAnalyzeConfig" entry out of that adapter's table, so that
  // no event reaches it after it is gone), then the sets, the last acquired
  // first.  A live-view adapter replaced by a later look-up loses the entry
  // at that moment.
  ~CVideoAnalyse() = default;

  // Builds an adapter and registers it with the host (the module factory).
  static void Create(OrvikComponentInterface::HostContext* host_context, void* unused);

  // Host signals.
  void OnInterfaceInstantiation();
  void OnImplComLoaded();
  void OnWebType();

  // The inbound event "VideoAnalyzeConfig": "RegionChanged" for the clip
  // region, "VideoAnalyzeConfig" with a document for every other shape.
  void OnVideoAnalyzeConfig(const Json::Value& params);

  // Container and shape commands (shape_commands.cc).
  bool EnableVideoAnalyseModule(bool flag);
  bool DeleteVideoAnalyseShape(long shape_id);
  bool SelectVideoAnalyseShape(long shape_id, bool flag);
  bool DeleteAllVideoAnalyseShape();
  bool EnableVideoAnalyseShape(long shape_id, bool flag);
  bool RedrawVideoAnalyseShape(long shape_id);
  bool SetVideoAnalyseShapeShowName(long shape_id, const char* name);
  bool SetVideoAnalyseShapeMaxPtNum(long shape_id, int max_pt_num, int min_pt_num);
  bool ShowVideoAnalyseShape(long shape_id, bool flag);
  long GetSelectedVideoAnalyseShapeID();
  bool SelectCurVideoAnalyseShape(long shape_id, bool flag);
  bool SetVideoAnalyseShapeDirection(long shape_id, int direction);
  bool SetVideoAnalyseContainerTip(long win_id, const char* tip);
  bool SetAdjustBoxbShow(long shape_id, bool flag);
  bool SetVideoAnalyseShapeColor(long shape_id, int red, int green, int blue, bool sel);

  // Shape creation and configuration read-back (shape_creation.cc).
  long CreateMainVideoAnalyseShape(long win_id, const char* event_name, const char* shape_type,
                                   const char* maked_name, const char* data, const char* param);
  long AddSubVideoAnalyseShape(long main_shape_id, const char* marked_name, const char* data,
                               const char* param);
  const char* GetVideoAnalyseShapeConfigData(long shape_id);

 private:
  void PublishPageMethods();
  void Publish(const char* name, Foundation::IComInterface* method);
  // Shape numbers travel as decimal text, never as JSON numbers.
  static Json::Value ShapeNumber(long shape_id);
  // {"containerID": containerId} plus `members` (an object, or null for none).
  Json::Value InContainer(Json::Value members) const;
  // The guarded-bool request of a page method, in the container.
  bool Ask(const char* method, const Json::Value& members);
  // The request of a shape command: "shapeID" and `members`, in the container.
  bool AskAboutShape(const char* method, long shape_id, Json::Value members);
  // Clears the container's tip when `result` is true (a shape was deleted or
  // deselected, so its tip no longer applies), and passes `result` on.
  bool ClearTipIf(bool result);
  // Sends a creation request and reads the new shape's number from its reply.
  long CreateShape(const char* method, Json::Value members);

  OrvikComponentInterface::HostContext* hostContext;
  Foundation::CSharedPtr<OrvikComponentInterface::IMultiNodeDisplayMgrSet> displayMgrSet;
  Foundation::CSharedPtr<OrvikComponentInterface::IPlayerMgrSet> playerMgrSet;
  Foundation::CSharedPtr<OrvikComponentInterface::IDeviceManagerSet> deviceManagerSet;
  Foundation::CSharedPtr<OrvikComponentInterface::ICustomerInfoSet> customerInfoSet;
  LiveAdapterLink liveAdapter{"VideoAnalyzeConfig",
                              InboundEventHandler(this, &CVideoAnalyse::OnVideoAnalyzeConfig)};
  std::string containerId;
  std::string configText;
  std::string pixelCountName;
  std::string polygonName;
};

}  // namespace Shimwell

#endif  // SHIMWELL_ADAPTERS_ANALYSIS_VIDEO_ANALYSE_H_
