// Foundation::IComInterface: a page method as the host sees it.
//
// The host owns every method object it was given and frees it through the
// object's own virtual destructor.  The slot order is fixed: destructor,
// GetParamCount, GetParamsTemplate, GetParamNames, CheckParams, Invoke.
#ifndef SHIMWELL_RUNTIME_COM_INTERFACE_H_
#define SHIMWELL_RUNTIME_COM_INTERFACE_H_

#include "runtime/delegate.h"

namespace Foundation {

// Receives the reply text {"id", "result"} of a page call.  The text is valid
// only during the call.
using ReplyDelegate = fastdelegate::FastDelegate1<const char*, void>;

class IComInterface {
 public:
  virtual ~IComInterface() = default;
  virtual int GetParamCount() = 0;
  virtual const char* GetParamsTemplate() = 0;
  // Copies name i to buffer + 100 * i; the caller gives count zeroed slots.
  virtual bool GetParamNames(char* buffer, int count) = 0;
  virtual bool CheckParams(int count, const char* call_text) = 0;
  virtual bool Invoke(int call_id, const char* call_text, const ReplyDelegate& reply) = 0;
};

// Slot width of GetParamNames.
constexpr int kParamNameSlot = 100;

}  // namespace Foundation

#endif  // SHIMWELL_RUNTIME_COM_INTERFACE_H_
