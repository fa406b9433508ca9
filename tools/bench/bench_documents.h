// The texts the benchmarks feed the plug-in and the floors: page-call texts,
// the fixed replies of the host, inbound event texts and a 4 KiB analysis
// configuration.  Realistic in shape and size, fixed so that runs compare.
#ifndef SHIMWELL_TOOLS_BENCH_BENCH_DOCUMENTS_H_
#define SHIMWELL_TOOLS_BENCH_BENCH_DOCUMENTS_H_

#include <string>

#include <json/value.h>

namespace bench {

extern const char kConnectRealVideoCall[];
extern const char kLoginDeviceExCall[];
extern const char kSetFeShowModeCall[];
extern const char kSetConfigAuthorityCall[];
extern const char kCreateMainShapeCall[];

// Replies of the host: a player id, a login handle, a plain success.
extern const char kPlayerReply[];
extern const char kLoginReply[];
extern const char kTrueReply[];
extern const char kShapeReply[];

extern const char kSelectedFileInfoEvent[];
extern const char kFocusStatusEvent[];
extern const char kVideoAnalyzeConfigEvent[];

// An analysis configuration of rules with regions, about 4 KiB when styled.
const Json::Value& AnalysisDocument();

}  // namespace bench

#endif  // SHIMWELL_TOOLS_BENCH_BENCH_DOCUMENTS_H_
