// Calls a signal delegate that the plug-in connected, by the delegate type
// its Any holds, with arguments taken from a JSON array.
#ifndef SHIMWELL_TOOLS_HOSTSIM_SIGNAL_DELEGATES_H_
#define SHIMWELL_TOOLS_HOSTSIM_SIGNAL_DELEGATES_H_

#include <string>

#include <json/value.h>

#include "runtime/any.h"

namespace hostsim {

// Calls the delegate held by `delegate` with `args` (a JSON array):
//   none; [window]; [unsigned]; [int]; [int, [left, top, right, bottom]];
//   [int, "text", int, int].
// Missing trailing arguments are zero (a null window, an empty rectangle,
// the empty text).  Returns false, with the reason in `error` and nothing
// called, when the Any holds no delegate of these types or an argument does
// not fit.  What the delegate throws passes through.
bool CallSignalDelegate(const Foundation::Any& delegate, const Json::Value& args, std::string* error);

}  // namespace hostsim

#endif  // SHIMWELL_TOOLS_HOSTSIM_SIGNAL_DELEGATES_H_
