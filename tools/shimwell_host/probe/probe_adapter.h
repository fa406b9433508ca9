// CProbe: a test-only adapter for a test copy of the plug-in.  It uses every
// kind of exchange an adapter has with the host (registration, signals of
// every delegate type, page methods of various parameter types, requests,
// events of every argument kind, host objects, the player-state callback and
// the inbound entry), so that scripts can prove the host end to end.
#ifndef SHIMWELL_TOOLS_SHIMWELL_HOST_PROBE_PROBE_ADAPTER_H_
#define SHIMWELL_TOOLS_SHIMWELL_HOST_PROBE_PROBE_ADAPTER_H_

#include <string>

#include "host/interface_sets.h"
#include "runtime/shared_ptr.h"

namespace ShimwellTest {

namespace oci = OrvikComponentInterface;

class CProbe {
 public:
  explicit CProbe(oci::HostContext* context);

  // Signal handlers.
  void OnInterfaceInstantiation();
  void OnImplComLoaded();
  void OnWebType();
  void OnPluginViewCreate(HWND window);
  void OnUnsigned(unsigned int value);
  void OnModeChanged(int mode);
  void OnRegionChange(int view, const wpRect& rect);
  void OnCatchOnePicture(int first, const char* name, int third, int fourth);
  bool OnPlayerState(int first, int player, int state, int last);
  void OnInbound(const char* text);

  // Page methods.
  const char* Echo(const char* text, int number, bool flag);
  long Sum(long a, unsigned int b);
  bool Nothing();
  bool Twice(int flag);
  bool TwiceText(const char* text, bool flag);
  int Ask(const char* method, int channel);
  bool FireAll();
  bool Watch(int player);
  bool ShowImage(const char* path);
  int Clip(int view);
  bool Switches(bool on);

 private:
  template <typename Delegate>
  void Connect(const char* signal, const Delegate& delegate);
  void Publish(const char* name, Foundation::IComInterface* method);
  template <typename Set>
  void Query(const char* type_name, Foundation::CSharedPtr<Set>* field);

  oci::HostContext* context_;
  Foundation::CSharedPtr<oci::IMultiNodeDisplayMgrSet> display_;
  Foundation::CSharedPtr<oci::IPlayerMgrSet> player_;
  Foundation::CSharedPtr<oci::IDeviceManagerSet> device_;
  Foundation::CSharedPtr<oci::IAdaptorSet> adaptor_;
  Foundation::CSharedPtr<oci::ICustomerInfoSet> customer_;
  Foundation::CSharedPtr<oci::IPTZLocateSet> ptz_;
  Foundation::CSharedPtr<oci::IVideoAnalysisShapeFactorySet> shapes_;
  std::string echo_;
};

}  // namespace ShimwellTest

#endif  // SHIMWELL_TOOLS_SHIMWELL_HOST_PROBE_PROBE_ADAPTER_H_
