// HostAnswers: what the simulated host's operations return, as a script sets
// it with {"webType": ...} and {"host": {...}}.
#ifndef SHIMWELL_TOOLS_HOSTSIM_HOST_ANSWERS_H_
#define SHIMWELL_TOOLS_HOSTSIM_HOST_ANSWERS_H_

#include <map>
#include <optional>
#include <string>

#include "host/interface_sets.h"

namespace hostsim {

struct HostAnswers {
  std::optional<std::string> web_type = std::string("web3.0");  // nullopt: a null text
  int current_view = 0;
  int view_player = 0;                     // for views without an entry below
  std::map<int, int> view_player_by_view;  // view index -> player id
  int find_view_player = 0;
  unsigned int current_device = 0;
  std::map<std::string, std::string> kind_path;  // kind -> path; others the empty path
  wpRect view_rect = {0, 0, 0, 0};
  bool display_flag = false;
  int display_value = 0;
  bool player_flag = false;
  bool ptz_flag = false;
  bool view_object = true;
  bool shape_visible = false;
  bool analysis_shape = true;
};

}  // namespace hostsim

#endif  // SHIMWELL_TOOLS_HOSTSIM_HOST_ANSWERS_H_
