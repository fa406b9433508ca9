#include "tools/bench/bench_documents.h"

#include "runtime/json_text.h"

namespace bench {

const char kConnectRealVideoCall[] = R"({"id": 7, "params": {"channel": 1, "stream": 0}})";
const char kLoginDeviceExCall[] =
    R"({"id": 3, "params": {"ip": "192.168.1.108", "port": 37777, "username": "admin", )"
    R"("password": "admin123", "specCap": 0}})";
const char kSetFeShowModeCall[] = R"({"id": 12, "params": {"mode": 3}})";
const char kSetConfigAuthorityCall[] =
    R"({"id": 2, "params": {"name": "AuthorityList", "table": "[\"Live\",\"Playback\",\"Config\"]"}})";

// A six-point detection region with its rule parameters.
const char kCreateMainShapeCall[] =
    R"({"id": 21, "params": {"winID": 0, "eventName": "CrossRegionDetection", "shapeType": "Polygon", )"
    R"("makedName": "DetectRegion", "data": "{\"DetectRegion\": [[120, 340], [2048, 310], )"
    R"([4096, 900], [6100, 2200], [5200, 7400], [300, 7900]]}", "param": "{\"Direction\": )"
    R"(\"Both\", \"ObjectTypes\": [\"Human\", \"Vehicle\"], \"Sensitivity\": 5}"}})";

const char kPlayerReply[] = "{\n   \"id\" : 1,\n   \"result\" : 3\n}\n";
const char kLoginReply[] = "{\n   \"id\" : 1,\n   \"result\" : 5\n}\n";
const char kTrueReply[] = "{\n   \"id\" : 1,\n   \"result\" : true\n}\n";
const char kShapeReply[] = "{\n   \"id\" : 1,\n   \"result\" : \"42\"\n}\n";

const char kSelectedFileInfoEvent[] =
    R"({"event": "SelectedFileInfo", "params": {"FileName": "C:\\Users\\operator\\Pictures\\)"
    R"(Snapshots\\cam01_20240611_101530.jpg", "Accepts": "jpg;bmp;png"}})";
const char kFocusStatusEvent[] =
    R"({"event": "FocusStatus", "params": {"focus": 0.4375, "zoom": 0.125, "focusStatus": "Autofocus"}})";
const char kVideoAnalyzeConfigEvent[] =
    R"({"event": "VideoAnalyzeConfig", "params": {"eventName": "CrossRegionDetection", )"
    R"("markedName": "DetectRegion", "shapeID": "7", "preState": 1, "curState": 2}})";

namespace {

Json::Value Point(int x, int y) {
  Json::Value point(Json::arrayValue);
  point.append(x);
  point.append(y);
  return point;
}

Json::Value Rule(int index) {
  Json::Value rule;
  rule["Name"] = "Rule" + std::to_string(index);
  rule["Type"] = index % 2 == 0 ? "CrossLineDetection" : "CrossRegionDetection";
  rule["Enable"] = true;
  rule["Direction"] = "Both";
  rule["Sensitivity"] = 5 + index % 5;
  rule["Threshold"] = 0.35 + 0.05 * index;
  rule["ObjectTypes"].append("Human");
  rule["ObjectTypes"].append("Vehicle");
  for (int i = 0; i < 6; ++i) rule["DetectRegion"].append(Point(1024 * i + 37 * index, 8191 - 611 * i));
  rule["SizeFilter"]["MinSize"] = Point(0, 0);
  rule["SizeFilter"]["MaxSize"] = Point(8191, 8191);
  rule["SizeFilter"]["Enable"] = false;
  rule["EventHandler"]["RecordChannels"].append(index);
  rule["EventHandler"]["SnapshotEnable"] = true;
  rule["EventHandler"]["Dejitter"] = 5;
  return rule;
}

Json::Value BuildAnalysisDocument() {
  Json::Value document;
  document["Channel"] = 0;
  document["Scene"]["Type"] = "Normal";
  document["Scene"]["Depth"] = 1.5;
  for (int i = 0; Foundation::WriteStyled(document).size() < 4096; ++i) {
    document["Rules"].append(Rule(i));
  }
  return document;
}

}  // namespace

const Json::Value& AnalysisDocument() {
  static const Json::Value document = BuildAnalysisDocument();
  return document;
}

}  // namespace bench
