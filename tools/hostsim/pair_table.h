// PairTable: binds host pairs to the simulator's members and remembers them
// by name, so that a script can leave any of them unbound later.
#ifndef SHIMWELL_TOOLS_HOSTSIM_PAIR_TABLE_H_
#define SHIMWELL_TOOLS_HOSTSIM_PAIR_TABLE_H_

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/pair.h"

namespace hostsim {

class PairTable {
 public:
  // Binds `pair`, number `number` of record `record`, to `op` on `receiver`.
  // It is known as "record.number" and, when `name` is given, by that name.
  template <class C, typename R, typename... A>
  void Bind(OrvikComponentInterface::Pair<R, A...>& pair, C* receiver, R (C::*op)(A...),
            std::string_view record, int number, std::string_view name = {}) {
    pair = OrvikComponentInterface::Pair<R, A...>(receiver, op);
    entries_.push_back(
        {std::string(name), std::string(record) + "." + std::to_string(number), [&pair] { pair.clear(); }});
  }

  // Leaves the pair of that name unbound; false when no pair has the name.
  bool Unbind(std::string_view name) const {
    for (const Entry& entry : entries_) {
      if (entry.name == name || entry.numbered == name) {
        entry.clear();
        return true;
      }
    }
    return false;
  }

 private:
  struct Entry {
    std::string name;
    std::string numbered;
    std::function<void()> clear;
  };
  std::vector<Entry> entries_;
};

}  // namespace hostsim

#endif  // SHIMWELL_TOOLS_HOSTSIM_PAIR_TABLE_H_
