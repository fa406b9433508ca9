// The envelope every adapter fires page events with: the records the host
// sees during the call, and the null array of an event without arguments.
#include "adapters/live/page_event.h"

#include "adapters/live/protocol2.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace Shimwell {
namespace {

using Foundation::EventVariant;

// What the host saw of one event call, copied during the call.
struct Seen {
  std::string name;
  bool null_array = false;
  std::vector<std::uint32_t> kinds;
  std::vector<std::string> values;
};

class RecordingHost {
 public:
  RecordingHost() {
    context.FirePageEvent =
        OrvikComponentInterface::Pair<void, const char*, EventVariant*, int>(this, &RecordingHost::Fire);
  }
  void Fire(const char* name, EventVariant* records, int count) {
    Seen event{name, records == nullptr, {}, {}};
    for (int i = 0; i < count; ++i) {
      const EventVariant& r = records[i];
      event.kinds.push_back(r.kind());
      switch (r.kind()) {
        case EventVariant::kInt: event.values.push_back(std::to_string(r.AsInt())); break;
        case EventVariant::kReal: event.values.push_back(std::to_string(r.AsReal())); break;
        case EventVariant::kBool: event.values.push_back(r.AsBool() ? "true" : "false"); break;
        default: event.values.push_back(r.AsText() == nullptr ? "<null>" : r.AsText()); break;
      }
    }
    seen.push_back(event);
  }
  OrvikComponentInterface::HostContext context;
  std::vector<Seen> seen;
};

TEST(FirePageEvent, HostSeesEveryKindInOrder) {
  RecordingHost host;
  FirePageEvent(&host.context, "Mixed",
                {EventArg::Int(-7), EventArg::Real(1.5), EventArg::Bool(true), EventArg::Text("abc"),
                 EventArg::Text("")});
  ASSERT_EQ(host.seen.size(), 1U);
  EXPECT_EQ(host.seen[0].name, "Mixed");
  EXPECT_EQ(host.seen[0].kinds, (std::vector<std::uint32_t>{5, 10, 11, 12, 12}));
  EXPECT_EQ(host.seen[0].values,
            (std::vector<std::string>{"-7", "1.500000", "true", "abc", "<null>"}));
}

TEST(FirePageEvent, NoArgumentsGoOutAsANullArray) {
  RecordingHost host;
  FirePageEvent(&host.context, "RecordDiskFull", {});
  ASSERT_EQ(host.seen.size(), 1U);
  EXPECT_TRUE(host.seen[0].null_array);
  EXPECT_TRUE(host.seen[0].kinds.empty());
}

TEST(FirePageEvent, MoreArgumentsThanRecordsAreRefused) {
  const std::vector<EventArg> eight(kMaxEventArgs + 1, EventArg::Int(0));
  RecordingHost host;
  EXPECT_THROW(FirePageEvent(&host.context, "TooLong", eight), std::length_error);
  EXPECT_TRUE(host.seen.empty());
}

TEST(Messages, StyledAndCompactLayouts) {
  EXPECT_EQ(StyledMessage("CatchPicture", Members({{"name", ""}})),
            "{\n   \"event\" : \"CatchPicture\",\n   \"params\" : {\n      \"name\" : \"\"\n   }\n}\n");
  EXPECT_EQ(CompactMessage("configFileExport", Members({{"code", 200},
                                                        {"errorCode", 200},
                                                        {"reqURL", ""},
                                                        {"statueCode", ""}})),
            "{ \"event\" : \"configFileExport\", \"params\" : { \"code\" : 200, \"errorCode\" : 200, "
            "\"reqURL\" : \"\", \"statueCode\" : \"\" } }\n");
}

}  // namespace
}  // namespace Shimwell
