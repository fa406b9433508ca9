// Image adjustment, display modes and analysis displays: published, not built
// yet; each answers with its failure value.
#include "adapters/live/shimwell.h"

namespace Shimwell {

bool CShimwell::SetColor(int, int, int, int, int) { return false; }
bool CShimwell::PartialEnlarged(bool) { return false; }
bool CShimwell::SetAutoAFEnable(bool) { return false; }
bool CShimwell::CheckFuncSupport(int) { return false; }
bool CShimwell::SetShowMode(int) { return false; }
bool CShimwell::SetAntiAliasMode(int) { return false; }
bool CShimwell::SetShowMultiScreenMode(int) { return false; }
bool CShimwell::StartJpegVideoJoin(int) { return false; }
bool CShimwell::SetLensInfoEx(const char*) { return false; }
bool CShimwell::ActiveCrowdDistriMap(bool, int) { return false; }
bool CShimwell::ShowRuleState(bool) { return false; }
bool CShimwell::StartRecvFacePic() { return false; }
bool CShimwell::SetFeShowMode(int) { return false; }
int CShimwell::CreateAiHeatMap(const char*, const char*, int, int) { return 0; }

}  // namespace Shimwell
