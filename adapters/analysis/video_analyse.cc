// The video analysis adapter's life: factory, look-ups, signals, publishing.
#include "adapters/analysis/video_analyse.h"

#include "adapters/live/host_calls.h"
#include "runtime/com_method.h"
#include "runtime/module_registry.h"

namespace Shimwell {

using OrvikComponentInterface::HostContext;
using fastdelegate::MakeDelegate;

CVideoAnalyse::CVideoAnalyse(HostContext* host_context) : hostContext(host_context) {
  ConnectStartSignals(hostContext, this);
}

void CVideoAnalyse::Create(HostContext* host_context, void* /*unused*/) {
  RegisterAdapter<CVideoAnalyse>(host_context, "class Shimwell::CVideoAnalyse");
}

void CVideoAnalyse::OnInterfaceInstantiation() {
  using namespace OrvikComponentInterface;
  displayMgrSet = QueryShared<IMultiNodeDisplayMgrSet>(hostContext, kDisplayMgrSetName);
  playerMgrSet = QueryShared<IPlayerMgrSet>(hostContext, kPlayerMgrSetName);
  deviceManagerSet = QueryShared<IDeviceManagerSet>(hostContext, kDeviceManagerSetName);
  customerInfoSet = QueryShared<ICustomerInfoSet>(hostContext, kCustomerInfoSetName);
  liveAdapter.Hold(QueryShared<CShimwell>(hostContext, "class Shimwell::CShimwell"));
  // Whatever the page type; the table keeps the first entry of a name.
  liveAdapter.Join();
}

void CVideoAnalyse::OnImplComLoaded() {
  ConnectSignal(hostContext, "WebTypeSignal", MakeDelegate(this, &CVideoAnalyse::OnWebType));
}

void CVideoAnalyse::OnWebType() {
  if (IsWeb30Page(customerInfoSet)) PublishPageMethods();
}

void CVideoAnalyse::Publish(const char* name, Foundation::IComInterface* method) {
  PublishPageMethod(hostContext, name, method);
}

void CVideoAnalyse::PublishPageMethods() {
  using C = CVideoAnalyse;
  using Foundation::MakeComMethod;
  Publish("EnableVideoAnalyseModule", MakeComMethod(this, &C::EnableVideoAnalyseModule, {"flag"}));
  Publish("CreateMainVideoAnalyseShape", MakeComMethod(this, &C::CreateMainVideoAnalyseShape, {"winID", "eventName", "shapeType", "makedName", "data", "param"}));
  Publish("DeleteVideoAnalyseShape", MakeComMethod(this, &C::DeleteVideoAnalyseShape, {"shapeID"}));
  Publish("SelectVideoAnalyseShape", MakeComMethod(this, &C::SelectVideoAnalyseShape, {"shapeID", "flag"}));
  Publish("AddSubVideoAnalyseShape", MakeComMethod(this, &C::AddSubVideoAnalyseShape, {"mainShapeID", "markedName", "data", "param"}));
  Publish("GetVideoAnalyseShapeConfigData", MakeComMethod(this, &C::GetVideoAnalyseShapeConfigData, {"shapeID"}));
  Publish("DeleteAllVideoAnalyseShape", MakeComMethod(this, &C::DeleteAllVideoAnalyseShape, {}));
  Publish("EnableVideoAnalyseShape", MakeComMethod(this, &C::EnableVideoAnalyseShape, {"shapeID", "flag"}));
  Publish("RedrawVideoAnalyseShape", MakeComMethod(this, &C::RedrawVideoAnalyseShape, {"shapeID"}));
  Publish("SetVideoAnalyseShapeShowName", MakeComMethod(this, &C::SetVideoAnalyseShapeShowName, {"shapeID", "name"}));
  Publish("SetVideoAnalyseShapeMaxPtNum", MakeComMethod(this, &C::SetVideoAnalyseShapeMaxPtNum, {"shapeID", "maxPtNum", "minPtNum"}));
  Publish("ShowVideoAnalyseShape", MakeComMethod(this, &C::ShowVideoAnalyseShape, {"shapeID", "flag"}));
  Publish("GetSelectedVideoAnalyseShapeID", MakeComMethod(this, &C::GetSelectedVideoAnalyseShapeID, {}));
  Publish("SelectCurVideoAnalyseShape", MakeComMethod(this, &C::SelectCurVideoAnalyseShape, {"shapeID", "flag"}));
  Publish("SetVideoAnalyseShapeDirection", MakeComMethod(this, &C::SetVideoAnalyseShapeDirection, {"shapeID", "direction"}));
  Publish("SetVideoAnalyseContainerTip", MakeComMethod(this, &C::SetVideoAnalyseContainerTip, {"winID", "tip"}));
  Publish("SetAdjustBoxbShow", MakeComMethod(this, &C::SetAdjustBoxbShow, {"shapeID", "flag"}));
  Publish("SetVideoAnalyseShapeColor", MakeComMethod(this, &C::SetVideoAnalyseShapeColor, {"shapeID", "red", "green", "blue", "sel"}));
}

}  // namespace Shimwell

SHIMWELL_REGISTER_IMPL_OBJECT_FACTORY(Shimwell::CVideoAnalyse::Create, Foundation::kVideoAnalysisOrder);
