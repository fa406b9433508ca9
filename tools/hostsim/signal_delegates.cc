#include "tools/hostsim/signal_delegates.h"

#include <cstdint>

#include "host/interface_sets.h"
#include "runtime/delegate.h"

namespace hostsim {
namespace {

// Reads the arguments of one delegate call; the first misfit is kept.
class ArgReader {
 public:
  ArgReader(const Json::Value& args, std::string* error) : args_(args), error_(error) {}

  bool Int(Json::ArrayIndex i, int* out) {
    *out = 0;
    if (!Has(i)) return true;
    if (!Check(args_[i].isInt(), i, "an int")) return false;
    *out = args_[i].asInt();
    return true;
  }
  bool UInt(Json::ArrayIndex i, unsigned int* out) {
    *out = 0;
    if (!Has(i)) return true;
    if (!Check(args_[i].isUInt(), i, "an unsigned int")) return false;
    *out = args_[i].asUInt();
    return true;
  }
  bool Window(Json::ArrayIndex i, HWND* out) {
    *out = nullptr;
    if (!Has(i)) return true;
    if (!Check(args_[i].isUInt64(), i, "a window handle")) return false;
    *out = reinterpret_cast<HWND>(static_cast<std::uintptr_t>(args_[i].asUInt64()));
    return true;
  }
  bool Text(Json::ArrayIndex i, const char** out) {
    *out = "";
    if (!Has(i)) return true;
    if (!Check(args_[i].isString(), i, "a text")) return false;
    *out = args_[i].asCString();
    return true;
  }
  bool Rect(Json::ArrayIndex i, wpRect* out) {
    *out = wpRect{0, 0, 0, 0};
    if (!Has(i)) return true;
    const Json::Value& r = args_[i];
    bool numbers = r.isArray() && r.size() == 4;
    for (Json::ArrayIndex k = 0; numbers && k < 4; ++k) numbers = r[k].isNumeric();
    if (!Check(numbers, i, "[left, top, right, bottom]")) return false;
    *out = wpRect{r[0].asFloat(), r[1].asFloat(), r[2].asFloat(), r[3].asFloat()};
    return true;
  }
  // No arguments beyond the first `count`.
  bool AtMost(Json::ArrayIndex count) {
    if (args_.size() <= count) return true;
    *error_ = "the delegate takes " + std::to_string(count) + " argument(s), " +
              std::to_string(args_.size()) + " given";
    return false;
  }

 private:
  bool Has(Json::ArrayIndex i) const { return i < args_.size(); }
  bool Check(bool ok, Json::ArrayIndex i, const char* what) {
    if (!ok) *error_ = "argument " + std::to_string(i + 1) + " is not " + what;
    return ok;
  }

  const Json::Value& args_;
  std::string* error_;
};

// The delegate held by `any` when it is of type D, copied out.
template <typename D>
bool Held(const Foundation::Any& any, D* out) {
  if (any.empty() || any.type() != typeid(D)) return false;
  *out = static_cast<const Foundation::Any::Holder<D>*>(any.content)->held;
  return true;
}

}  // namespace

bool CallSignalDelegate(const Foundation::Any& any, const Json::Value& args, std::string* error) {
  ArgReader read(args, error);
  fastdelegate::FastDelegate0<void> none;
  fastdelegate::FastDelegate1<HWND, void> window;
  fastdelegate::FastDelegate1<unsigned int, void> unsigned_one;
  fastdelegate::FastDelegate1<int, void> int_one;
  fastdelegate::FastDelegate2<int, const wpRect&, void> int_rect;
  fastdelegate::FastDelegate4<int, const char*, int, int, void> int_text_int_int;
  int i0 = 0, i2 = 0, i3 = 0;
  if (Held(any, &none)) {
    if (!read.AtMost(0)) return false;
    if (!none.empty()) none();
  } else if (Held(any, &window)) {
    HWND handle;
    if (!read.AtMost(1) || !read.Window(0, &handle)) return false;
    if (!window.empty()) window(handle);
  } else if (Held(any, &unsigned_one)) {
    unsigned int value;
    if (!read.AtMost(1) || !read.UInt(0, &value)) return false;
    if (!unsigned_one.empty()) unsigned_one(value);
  } else if (Held(any, &int_one)) {
    if (!read.AtMost(1) || !read.Int(0, &i0)) return false;
    if (!int_one.empty()) int_one(i0);
  } else if (Held(any, &int_rect)) {
    wpRect rect;
    if (!read.AtMost(2) || !read.Int(0, &i0) || !read.Rect(1, &rect)) return false;
    if (!int_rect.empty()) int_rect(i0, rect);
  } else if (Held(any, &int_text_int_int)) {
    const char* text;
    if (!read.AtMost(4) || !read.Int(0, &i0) || !read.Text(1, &text) || !read.Int(2, &i2) ||
        !read.Int(3, &i3)) {
      return false;
    }
    if (!int_text_int_int.empty()) int_text_int_int(i0, text, i2, i3);
  } else {
    *error = any.empty() ? "the connection holds no delegate"
                         : std::string("the connection holds an unknown type ") + any.type().name();
    return false;
  }
  return true;
}

}  // namespace hostsim
