// shimwell-host: loads the plug-in as a component host does, drives it from a
// script and prints what the plug-in does towards the host, one JSON object
// per line.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

#include "tools/hostsim/host.h"
#include "tools/hostsim/output_sink.h"
#include "tools/hostsim/plugin_exports.h"
#include "tools/hostsim/script.h"

namespace {

const char kUsage[] = "usage: shimwell-host [--plugin PATH] [SCRIPT]\n";

const char kHelp[] = R"(
Loads the plug-in, runs the script (a file, or standard input without SCRIPT
or with "-") and prints everything the plug-in does towards the host, one
compact JSON object per line on standard output.

  --plugin PATH  the plug-in library (a relative path from the current
                 folder); default: )" SHIMWELL_DEFAULT_PLUGIN R"( relative to
                 this program's folder
  --help         this text

Exit status: 0 the script ran to its end; 1 usage error or unreadable
script; 2 a script line is not valid (its number on standard error, nothing
more is run); 3 the plug-in cannot be loaded or lacks an export.

Script lines: one JSON object with exactly one command key, read strictly
(no comments, no repeated keys, nothing after the object); a trailing CR is
ignored; blank lines and lines starting with # are skipped.  A member that
is not an argument of the command makes the line invalid.

Choices where the interface leaves room:
- call, checkParams: without "params" or "text" the call text is {};
  "params" is sent as {"params": ...} in one compact line.  "nth" also works
  for checkParams and paramNames.
- checkParams, paramNames: without "count", the method's own parameter
  count.  paramNames takes a count of at most 1000.
- replyOnce: a value may also be an array of reply texts, queued in order.
- host viewPlayer as an object: keys are view indexes; other views get 0.
  kindPath replaces the whole table.
- signal: missing trailing arguments are 0, a null window, an empty
  rectangle or the empty text; a window is a number.  An argument of the
  wrong kind, or too many, gives an "error" line and that delegate is not
  called.  Delegates connected while a signal runs wait for its next firing.
- unbind takes the pairs the host binds; IAdaptorSet pair 0 belongs to the
  plug-in and cannot be named.
- A request that is not JSON or has no "method" text gets the empty reply.
- export: InitModule and ClearModule get 0; LoadImplObjects gets the host
  context and 0; its result is not printed.
- QueryObject answers an interface-set name with the set, a registered type
  name with its latest registration, anything else (or a withheld name) with
  an empty value.
- registerMethod: "params" is false when GetParamNames refuses.
- host lines leave pointer arguments out: WatchPlayerState and
  RewatchPlayerState give [player], CreateAnalysisShape [kind, view,
  player].  Unnamed pairs print as "Set.N"; a call through a host object's
  unnamed slot prints as "ViewObject.N", "ImageShape.N" or
  "AnalysisShape.N".  ReleaseShape only records: the host keeps the shape.
- Reals print in their shortest exact form, whole numbers with ".0";
  non-finite ones as null.  An event record of an unknown kind prints as
  {"kind": N}; records missing for a non-zero count give an "error" line.
- inboundEntry prints when the entry in IAdaptorSet changes to a bound one.
- An exception that is not a std::exception prints as "unknown exception".
- release also drops the signal connections, the armed player-state
  delegates and the inbound entry, which point into the released objects.
  Methods go first, then connections, then objects, last registered first.
  The same release runs when the script ends.
)";

// The folder of this program, with a trailing separator, or "" if unknown.
std::string ProgramFolder(const char* argv0) {
  std::string path;
#ifdef _WIN32
  char buffer[MAX_PATH];
  DWORD length = GetModuleFileNameA(nullptr, buffer, MAX_PATH);
  if (length > 0 && length < MAX_PATH) path.assign(buffer, length);
#else
  char buffer[4096];
  ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer);
  if (length > 0 && static_cast<std::size_t>(length) < sizeof buffer) {
    path.assign(buffer, static_cast<std::size_t>(length));
  }
#endif
  if (path.empty()) path = argv0;
  const std::size_t slash = path.find_last_of("/\\");
  return slash == std::string::npos ? "" : path.substr(0, slash + 1);
}

int Usage(const char* problem) {
  std::fprintf(stderr, "shimwell-host: %s\n%s", problem, kUsage);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  _setmode(_fileno(stdout), _O_BINARY);  // lines end in LF alone
#endif
  std::string plugin = ProgramFolder(argv[0]) + SHIMWELL_DEFAULT_PLUGIN;
  std::string script_path;
  bool have_script = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--help" || arg == "-h") {
      std::printf("%s%s", kUsage, kHelp);
      return 0;
    }
    if (arg == "--plugin") {
      if (++i == argc) return Usage("--plugin needs a path");
      plugin = argv[i];
    } else if (arg.size() > 1 && arg[0] == '-') {
      return Usage(("unknown option " + arg).c_str());
    } else if (have_script) {
      return Usage("more than one script");
    } else {
      script_path = arg;
      have_script = true;
    }
  }

  std::ifstream file;
  if (have_script && script_path != "-") {
    file.open(script_path, std::ios::binary);
    if (!file) {
      std::fprintf(stderr, "shimwell-host: cannot read %s\n", script_path.c_str());
      return 1;
    }
  }
  std::istream& script = file.is_open() ? static_cast<std::istream&>(file) : std::cin;

  std::string error;
  auto library = hostsim::PluginLibrary::Load(plugin, &error);
  if (!library) {
    std::fprintf(stderr, "shimwell-host: %s\n", error.c_str());
    return 3;
  }
  hostsim::StreamSink sink(stdout);
  int status;
  {
    hostsim::Host host(library->exports(), &sink);
    status = hostsim::RunScript(&host, script, &error);
  }
  if (status != 0) std::fprintf(stderr, "shimwell-host: %s\n", error.c_str());
  return status;
}
