// Foundation::CComMethod: a member function published as a page method.
//
// One template serves every signature.  Publishing is one line at the call
// site; the result is a new method object that the caller hands to the host,
// which owns it from then on:
//
//   Foundation::MakeComMethod(this, &CShimwell::ConnectRealVideo, {"channel", "stream"})
//
// A call text is a JSON object whose "params" object holds one member per
// parameter name.  A call text that is not JSON is refused; a missing
// "params", a "params" or top level that is not an object, and a missing or
// mistyped member all read as the parameter's default.  The reply is
// {"id", "result"} in the styled layout.  Exceptions from the member function
// are not caught.
#ifndef SHIMWELL_RUNTIME_COM_METHOD_H_
#define SHIMWELL_RUNTIME_COM_METHOD_H_

#include <array>
#include <cstddef>
#include <cstring>
#include <string>
#include <utility>

#include <json/value.h>

#include "runtime/com_interface.h"
#include "runtime/json_text.h"
#include "runtime/param_conversion.h"

namespace Foundation {

// The parameter names, in the member function's order, and the template text
// (empty without parameters).  The types select the conversions.
template <typename... A>
struct ParamTuple {
  static_assert(sizeof...(A) <= 6, "page methods take at most six parameters");
  std::array<std::string, sizeof...(A)> names;
  std::string template_text;
};

using ParamTuple0 = ParamTuple<>;
template <typename A1>
using ParamTuple1 = ParamTuple<A1>;
template <typename A1, typename A2>
using ParamTuple2 = ParamTuple<A1, A2>;
template <typename A1, typename A2, typename A3>
using ParamTuple3 = ParamTuple<A1, A2, A3>;
template <typename A1, typename A2, typename A3, typename A4>
using ParamTuple4 = ParamTuple<A1, A2, A3, A4>;
template <typename A1, typename A2, typename A3, typename A4, typename A5>
using ParamTuple5 = ParamTuple<A1, A2, A3, A4, A5>;
template <typename A1, typename A2, typename A3, typename A4, typename A5, typename A6>
using ParamTuple6 = ParamTuple<A1, A2, A3, A4, A5, A6>;

namespace Detail {

// The "params" object of a call text, or null when the call has none usable.
// False when the text is not JSON.
bool ReadCallParams(const char* call_text, Json::Value* params);

// The member `name` of `params`, or null.
const Json::Value& FindParam(const Json::Value& params, const std::string& name);

}  // namespace Detail

template <class C, typename R, typename... A>
class CComMethod final : public IComInterface {
 public:
  static constexpr int kParamCount = static_cast<int>(sizeof...(A));
  using Function = R (C::*)(A...);
  using Names = std::array<const char*, sizeof...(A)>;

  CComMethod(C* object, Function function, const Names& names)
      : object_(object), function_(function) {
    for (std::size_t i = 0; i < names.size(); ++i) parameters_.names[i] = names[i];
    if (kParamCount > 0) parameters_.template_text = BuildTemplate(std::index_sequence_for<A...>());
  }

  int GetParamCount() override { return kParamCount; }

  const char* GetParamsTemplate() override { return parameters_.template_text.c_str(); }

  bool GetParamNames(char* buffer, int count) override {
    if (count != kParamCount) return false;
    for (const std::string& name : parameters_.names) {
      if (name.size() > kSlotWidth - 2) return false;
    }
    if (kParamCount > 0 && buffer == nullptr) return false;
    for (std::size_t i = 0; i < parameters_.names.size(); ++i) {
      const std::string& name = parameters_.names[i];
      std::memcpy(buffer + i * kSlotWidth, name.data(), name.size());
    }
    return true;
  }

  bool CheckParams(int count, const char* call_text) override {
    if (kParamCount == 0) return count == 0;
    Json::Value params;
    if (!Detail::ReadCallParams(call_text, &params)) return false;
    if (count != kParamCount) return false;
    return AllAccepted(params, std::index_sequence_for<A...>());
  }

  bool Invoke(int call_id, const char* call_text, const ReplyDelegate& reply) override {
    Json::Value params;
    if (kParamCount > 0 && !Detail::ReadCallParams(call_text, &params)) return false;
    Json::Value answer;
    answer["id"] = call_id;
    answer["result"] = ResultToJson(Call(params, std::index_sequence_for<A...>()));
    const std::string text = WriteStyled(answer);
    if (!reply.empty()) reply(text.c_str());
    return true;
  }

 private:
  static constexpr std::size_t kSlotWidth = static_cast<std::size_t>(kParamNameSlot);

  // The defaults of all parameters as one object; members of a JSON object
  // are written in name order, not parameter order.
  template <std::size_t... I>
  std::string BuildTemplate(std::index_sequence<I...>) const {
    Json::Value defaults;
    ((defaults[parameters_.names[I]] = ParamConversion<A>::Default()), ...);
    return WriteStyled(defaults);
  }

  template <std::size_t... I>
  bool AllAccepted([[maybe_unused]] const Json::Value& params, std::index_sequence<I...>) const {
    return (ParamConversion<A>::Accepts(Detail::FindParam(params, parameters_.names[I])) && ...);
  }

  template <std::size_t... I>
  R Call([[maybe_unused]] const Json::Value& params, std::index_sequence<I...>) const {
    return (object_->*function_)(
        ParamConversion<A>::Convert(Detail::FindParam(params, parameters_.names[I]))...);
  }

  C* object_;
  Function function_;
  ParamTuple<A...> parameters_;
};

// Makes the method object for `function` of `object`, with its parameter
// names in parameter order.
template <class C, typename R, typename... A>
IComInterface* MakeComMethod(C* object, R (C::*function)(A...),
                             const std::array<const char*, sizeof...(A)>& names = {}) {
  return new CComMethod<C, R, A...>(object, function, names);
}

}  // namespace Foundation

#endif  // SHIMWELL_RUNTIME_COM_METHOD_H_
