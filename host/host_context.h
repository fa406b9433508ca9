// HostContext: the component host's table of callbacks, numbered pairs.
#ifndef SHIMWELL_HOST_HOST_CONTEXT_H_
#define SHIMWELL_HOST_HOST_CONTEXT_H_

#include "host/pair.h"
#include "runtime/any.h"
#include "runtime/com_interface.h"
#include "runtime/event_variant.h"

namespace OrvikComponentInterface {

struct HostContext {
  UnusedPair pair0;
  UnusedPair pair1;
  // Signal name, an Any holding a delegate; the host keeps its own copy.
  Pair<void, const char*, Foundation::Any*> ConnectSignal;  // 2
  UnusedPair pair3;
  // "", type name, an Any holding a CSharedPtr to the object.
  Pair<void, const char*, const char*, Foundation::Any*> RegisterImplObject;  // 4
  // "", type name -> the set or object of that name, empty if none.
  Pair<Foundation::Any, const char*, const char*> QueryObject;  // 5
  UnusedPair pair6;
  // Method name, 0, the method object; the host owns it from then on.
  Pair<void, const char*, int, Foundation::IComInterface*> RegisterPageMethod;  // 7
  UnusedPair pair8;
  UnusedPair pair9;
  UnusedPair pair10;
  UnusedPair pair11;
  // Protocol2 request text -> reply text owned by the host.
  Pair<const char*, const char*> SendRequest;  // 12
  // Event name, argument records (null when count is 0), count.
  Pair<void, const char*, Foundation::EventVariant*, int> FirePageEvent;  // 13
};

ORVIK_PAIR_AT(HostContext, ConnectSignal, 2);
ORVIK_PAIR_AT(HostContext, RegisterImplObject, 4);
ORVIK_PAIR_AT(HostContext, QueryObject, 5);
ORVIK_PAIR_AT(HostContext, RegisterPageMethod, 7);
ORVIK_PAIR_AT(HostContext, SendRequest, 12);
ORVIK_PAIR_AT(HostContext, FirePageEvent, 13);

}  // namespace OrvikComponentInterface

#endif  // SHIMWELL_HOST_HOST_CONTEXT_H_
