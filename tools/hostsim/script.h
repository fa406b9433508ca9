// The script language of shimwell-host: one JSON object per line, each with
// exactly one command key, run in order against a Host.
#ifndef SHIMWELL_TOOLS_HOSTSIM_SCRIPT_H_
#define SHIMWELL_TOOLS_HOSTSIM_SCRIPT_H_

#include <istream>
#include <string>
#include <string_view>

#include "tools/hostsim/host.h"

namespace hostsim {

// Runs one script line.  Blank lines and lines whose first non-blank
// character is '#' do nothing.  Returns false, with the reason in `error`,
// when the line is not valid (not JSON, not an object, unknown command or
// bad argument); nothing of such a line has reached the plug-in.
bool RunScriptLine(Host* host, std::string_view line, std::string* error);

// Runs the lines of `script` until its end (returns 0) or a line that is not
// valid (returns 2, with "line N: reason" in `error`).
int RunScript(Host* host, std::istream& script, std::string* error);

}  // namespace hostsim

#endif  // SHIMWELL_TOOLS_HOSTSIM_SCRIPT_H_
