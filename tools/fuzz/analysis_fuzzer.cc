// The video analysis adapter's translation between the page's and the
// service's shape vocabulary: a main shape and a sub-shape created from
// fuzzed names and data, a fuzzed configuration read back, and a fuzzed
// shape notification.  Every request the adapter sends must stay one JSON
// object, whatever the page gave it.
//
// Sections (split at "----" lines; missing ones are empty):
//   0 shape type, 1 marked name, 2 data, 3 param, 4 the creation reply,
//   5 sub-shape marked name, 6 sub-shape data, 7 its creation reply,
//   8 the configuration read-back reply, 9 a notification's params.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <string>
#include <vector>

#include <json/value.h>

#include "adapters/analysis/video_analyse.h"
#include "adapters/live/protocol2.h"
#include "runtime/any_cast.h"
#include "runtime/json_text.h"
#include "tools/fuzz/sections.h"

namespace {

namespace oci = OrvikComponentInterface;

// A host that answers each request with the next queued reply (then the
// empty reply) and drops page events.
class ReplyHost {
 public:
  ReplyHost() {
    context.SendRequest = oci::Pair<const char*, const char*>(this, &ReplyHost::Answer);
    context.FirePageEvent =
        oci::Pair<void, const char*, Foundation::EventVariant*, int>(this, &ReplyHost::Fire);
  }

  const char* Answer(const char* request) {
    Json::Value sent;
    if (!Foundation::ReadJson(request, &sent) || !sent.isObject()) std::abort();
    last.clear();
    if (!replies.empty()) {
      last = replies.front();
      replies.pop_front();
    }
    return last.c_str();
  }
  void Fire(const char*, Foundation::EventVariant*, int) {}

  oci::HostContext context;
  std::deque<std::string> replies;
  std::string last;
};

// Runs one page method; "bad cast" is what the page sees for a reply of
// another type, not a finding.
template <typename Call>
void Guarded(Call call) {
  try {
    call();
  } catch (const Foundation::BadCast&) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string> s = fuzz::SplitSections(data, size);
  s.resize(10);
  ReplyHost host;
  host.replies = {s[4], s[7], s[8]};
  Shimwell::CVideoAnalyse adapter(&host.context);
  Guarded([&] {
    adapter.CreateMainVideoAnalyseShape(0, "event", s[0].c_str(), s[1].c_str(), s[2].c_str(), s[3].c_str());
  });
  Guarded([&] { adapter.AddSubVideoAnalyseShape(1, s[5].c_str(), s[6].c_str(), s[3].c_str()); });
  Guarded([&] { adapter.GetVideoAnalyseShapeConfigData(1); });
  Json::Value params;
  if (Foundation::ReadJson(s[9].c_str(), &params)) adapter.OnVideoAnalyzeConfig(params);
  return 0;
}
