// Files, dialogs, storage paths, configuration import and export, and texts
// and settings handed to the service.
#include <cstddef>
#include <cstring>
#include <string>

#include "adapters/live/protocol2.h"
#include "adapters/live/shimwell.h"

namespace Shimwell {

namespace {

// The session identifier an export URL carries: the text after its last "=",
// or the whole URL when it has none.
std::string SessionIdOf(const std::string& url) {
  const std::size_t equals = url.rfind('=');
  return equals == std::string::npos ? url : url.substr(equals + 1);
}

}  // namespace

bool CShimwell::WriteFile(const char* path, const char* buffer, const char* mode) {
  return Ask("WriteFile", Members({{"fileName", path}, {"data", buffer}, {"mode", mode}}));
}

// The dialogs answer at once; the choice arrives later as an inbound event.
bool CShimwell::ShowFileBrowse() { return Ask("SelectDirectory", Json::Value()); }

bool CShimwell::ShowOpen() { return Ask("SelectOpenFile", Members({{"filter", filter}})); }

bool CShimwell::ShowSave() {
  return Ask("SelectSaveFile", Members({{"filter", filter}, {"defaultName", defaultName}}));
}

bool CShimwell::SetFilter(const char* filter_text) {
  filter = filter_text;
  return true;
}

bool CShimwell::SetFilename(const char* filename) {
  defaultName = filename;
  return true;
}

// The page gets a pointer into storagePath, valid until the next call.  A
// reply that is not a text throws before the field changes.
const char* CShimwell::GetConfigPath(long type) {
  storagePath = Exchange<std::string>(hostContext, "GetStoragePath",
                                      Members({{"type", static_cast<int>(type)}}), Read::kUnguarded);
  return storagePath.c_str();
}

bool CShimwell::SetConfigPath(long type, const char* path) {
  return Ask("SetStoragePath", Members({{"type", static_cast<int>(type)}, {"path", path}}));
}

// The URLs are kept only for the reports of the finished import or export.
bool CShimwell::PostOneHttpRequest(const char* url, const char* file_name,
                                   const char* /*content_type*/, const char* session_id,
                                   const char* /*event*/) {
  importUrl = url;
  return Ask("ImportConfigFile", Members({{"sessionID", session_id}, {"fileName", file_name}}));
}

bool CShimwell::RequestOneCGIInteraction(const char* url, const char* file_name,
                                         const char* /*event*/) {
  exportUrl = url;
  return Ask("ExportConfigFile", Members({{"sessionID", SessionIdOf(exportUrl)}, {"fileName", file_name}}));
}

bool CShimwell::SetMouseDrawEnable(long enable) {
  return Ask("SetMouseDrawEnable", Members({{"enable", enable != 0}}));
}

bool CShimwell::SetTranslateString(const char* str) {
  return Ask("SetTranslationTable", Members({{"table", str}}));
}

// Only the authority list is a known setting; any other name is accepted and
// ignored.  The list is kept even when the service does not answer, so that
// the next successful login forwards it.
bool CShimwell::SetConfig(const char* name, const char* table) {
  if (std::strcmp(name, "AuthorityList") != 0) return true;
  authorityInfo = table;
  return Ask("SetAuthorityInfo", Members({{"info", table}}));
}

}  // namespace Shimwell
