// Foundation::CComMethod: a member function published as a page method.
//
// To be completed: CComMethod is one variadic template over the member
// function's signature; ParamTuple0 to ParamTuple6 are aliases.  Publishing a
// method is one line at the call site:
//
//   Foundation::MakeComMethod(this, &CShimwell::ConnectRealVideo, {"channel", "stream"})
//
// returns a new IComInterface* that the caller hands to the host.
#ifndef SHIMWELL_RUNTIME_COM_METHOD_H_
#define SHIMWELL_RUNTIME_COM_METHOD_H_

#include <array>

#include "runtime/com_interface.h"

namespace Foundation {

template <class C, typename R, typename... A>
IComInterface* MakeComMethod(C* object, R (C::*function)(A...),
                             const std::array<const char*, sizeof...(A)>& names);

}  // namespace Foundation

#endif  // SHIMWELL_RUNTIME_COM_METHOD_H_
