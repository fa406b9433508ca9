// Files, dialogs, configuration and HTTP: published, not built yet; each
// answers with its failure value.
#include "adapters/live/shimwell.h"

namespace Shimwell {

bool CShimwell::WriteFile(const char*, const char*, const char*) { return false; }
bool CShimwell::ShowFileBrowse() { return false; }
bool CShimwell::ShowOpen() { return false; }
bool CShimwell::ShowSave() { return false; }
bool CShimwell::SetFilter(const char*) { return false; }
bool CShimwell::SetFilename(const char*) { return false; }
const char* CShimwell::GetConfigPath(long) { return storagePath.c_str(); }
bool CShimwell::SetConfigPath(long, const char*) { return false; }
bool CShimwell::PostOneHttpRequest(const char*, const char*, const char*, const char*, const char*) {
  return false;
}
bool CShimwell::RequestOneCGIInteraction(const char*, const char*, const char*) { return false; }
bool CShimwell::SetMouseDrawEnable(long) { return false; }
bool CShimwell::SetTranslateString(const char*) { return false; }
bool CShimwell::SetConfig(const char*, const char*) { return false; }

}  // namespace Shimwell
