#include "tools/device/device.h"

#include <filesystem>
#include <fstream>
#include <string>

#include <gtest/gtest.h>
#include <json/reader.h>
#include <json/writer.h>

namespace device {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

class DeviceTest : public ::testing::Test {
 protected:
  DeviceTest() {
    dir_ = fs::temp_directory_path() / ("device-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    dir_ = fs::canonical(dir_);
    DeviceOptions options;
    options.data_dir = dir_;
    options.download_time = milliseconds(1000);
    options.clock = [this] { return now_; };
    device_ = std::make_unique<Device>(options);
  }
  ~DeviceTest() override { fs::remove_all(dir_); }

  // The "result" of a request, or null for the empty reply.
  Json::Value Call(const std::string& method, const Json::Value& params = Json::Value()) {
    Json::Value request;
    request["method"] = method;
    request["params"] = params;
    const std::string reply = device_->Handle(Json::writeString(Json::StreamWriterBuilder(), request));
    if (reply.empty()) return Json::Value();
    Json::Value value;
    std::string errors;
    std::istringstream in(reply);
    EXPECT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &value, &errors)) << reply;
    return value["result"];
  }
  static Json::Value Params(std::initializer_list<std::pair<const char*, Json::Value>> members) {
    Json::Value params(Json::objectValue);
    for (const auto& [key, value] : members) params[key] = value;
    return params;
  }
  void Login() { ASSERT_GT(Call("LoginDevice", Params({{"ip", "10.0.0.2"}, {"svrPort", 80}, {"userName", kUser}, {"password", kPassword}})).asInt(), 0); }
  std::vector<std::string> NoticeNames() {
    std::vector<std::string> names;
    for (const Notice& notice : device_->TakeNotices()) names.push_back(notice.name);
    return names;
  }

  fs::path dir_;
  std::chrono::steady_clock::time_point now_{};
  std::unique_ptr<Device> device_;
};

TEST_F(DeviceTest, LoginResultsAndHandles) {
  struct Case {
    const char* ip;
    int port;
    const char* user;
    const char* password;
    int expected;  // 1 for "a new positive handle"
  };
  const Case cases[] = {
      {"10.0.0.2", 80, kUser, kPassword, 1},
      {"10.0.0.2", 80, kUser, "wrong", kWrongPassword},
      {"10.0.0.2", 80, "guest", kPassword, kUnknownUser},
      {"", 80, kUser, kPassword, kUnreachable},
      {"10.0.0.2", 0, kUser, kPassword, kUnreachable},
  };
  int last_handle = 0;
  for (const Case& c : cases) {
    const int result = Call("LoginDevice", Params({{"ip", c.ip}, {"svrPort", c.port}, {"userName", c.user},
                                                   {"password", c.password}, {"specCap", 0}}))
                           .asInt();
    if (c.expected == 1) {
      EXPECT_GT(result, last_handle);
      last_handle = result;
    } else {
      EXPECT_EQ(result, c.expected) << c.user << "/" << c.password;
    }
  }
  // The refused attempts did not end the earlier login.
  EXPECT_TRUE(device_->logged_in());
  EXPECT_TRUE(Call("LogoutDevice", 0).asBool());
  EXPECT_FALSE(Call("LogoutDevice", 0).asBool());
}

TEST_F(DeviceTest, LiveVideoNeedsALoginAndGivesPlayersPerView) {
  const Json::Value channel = Params({{"channel", 1}, {"stream", 0}, {"protocol", 0}});
  EXPECT_EQ(Call("ConnectRealVideo", channel).asInt(), -1);
  Login();
  const int first = Call("ConnectRealVideo", channel).asInt();
  EXPECT_GT(first, 0);
  auto notices = device_->TakeNotices();
  ASSERT_EQ(notices.size(), 1u);
  EXPECT_EQ(notices[0].kind, Notice::Kind::kPlayerState);
  EXPECT_EQ(notices[0].args[0].asInt(), first);

  EXPECT_TRUE(Call("SwicthMultiWndNum", Params({{"num", 4}})).asBool());
  EXPECT_EQ(NoticeNames(), std::vector<std::string>{"videoPlayWinRegionChangeSignal"});
  device_->SelectView(2);
  device_->TakeNotices();
  const int second = Call("ConnectRealVideo", channel).asInt();
  EXPECT_EQ(device_->view().players, (std::map<int, int>{{0, first}, {2, second}}));

  now_ += std::chrono::seconds(75);
  EXPECT_EQ(Call("GetPlayTime").asString(), "00:01:15");
  // Fewer views drop the players of the views that went away.
  EXPECT_TRUE(Call("SwicthMultiWndNum", Params({{"num", 1}})).asBool());
  EXPECT_EQ(device_->view().players, (std::map<int, int>{{0, first}}));
  EXPECT_FALSE(Call("SwicthMultiWndNum", Params({{"num", 0}})).asBool());
}

TEST_F(DeviceTest, DownloadProgressGrowsWithTimeAndWritesTheFile) {
  const unsigned id = Call("DownloadByFile", Params({{"fileInfo", R"({"file": "a"})"}, {"path", ""},
                                                      {"savedName", "a.rec"}, {"format", "dav"}}))
                          .asUInt();
  ASSERT_GT(id, 0u);
  const Json::Value query = Params({{"requestID", id}});
  EXPECT_EQ(Call("GetDownoadProgress", query).asInt(), 0);
  now_ += milliseconds(500);
  EXPECT_EQ(Call("GetDownoadProgress", query).asInt(), 50);
  EXPECT_FALSE(fs::exists(dir_ / "downloads" / "a.rec"));
  now_ += milliseconds(600);
  EXPECT_EQ(Call("GetDownoadProgress", query).asInt(), 100);
  EXPECT_TRUE(fs::exists(dir_ / "downloads" / "a.rec"));
  EXPECT_FALSE(Call("StopDownloadEx", query).asBool()) << "a finished download cannot be stopped";
  EXPECT_EQ(Call("GetDownoadProgress", Params({{"requestID", 999}})).asInt(), -1);
}

TEST_F(DeviceTest, BadDownloadsFailOrAreRefused) {
  // A bad file description gets an id that fails at once.
  const unsigned bad = Call("DownloadByFile", Params({{"fileInfo", "not a description"}, {"savedName", "b"}})).asUInt();
  EXPECT_GT(bad, 0u);
  EXPECT_EQ(NoticeNames(), std::vector<std::string>{"DownLoadError"});
  EXPECT_EQ(Call("GetDownoadProgress", Params({{"requestID", bad}})).asInt(), -1);
  // A target outside the data directory is refused with 0 and never written.
  const Json::Value escapes[] = {
      Params({{"fileInfo", "{}"}, {"path", "../.."}, {"saveName", "x.rec"}}),
      Params({{"fileInfo", "{}"}, {"path", ""}, {"saveName", "../x.rec"}}),
  };
  for (const Json::Value& params : escapes) EXPECT_EQ(Call("DownloadByFileEx", params).asUInt(), 0u);
  // A stopped download is gone.
  const unsigned running = Call("DownloadByTime", Params({{"startTime", "2024-01-01 10:00:00"}, {"endTime", "2024-01-01 11:00:00"}})).asUInt();
  EXPECT_TRUE(Call("StopDownloadEx", Params({{"requestID", running}})).asBool());
  EXPECT_EQ(Call("GetDownoadProgress", Params({{"requestID", running}})).asInt(), -1);
}

TEST_F(DeviceTest, PicturesAndFilesStayInsideTheDataDirectory) {
  EXPECT_TRUE(Call("CrabOnePictureByName", Params({{"format", 1}, {"path", "snaps/a.jpg"}, {"open", true}})).asBool());
  EXPECT_GT(fs::file_size(dir_ / "snaps" / "a.jpg"), 0u);
  EXPECT_EQ(NoticeNames(), std::vector<std::string>{"CatchOnePicture"});
  EXPECT_TRUE(Call("CrabOnePicture", Params({{"format", 0}, {"path", ""}})).asBool());
  EXPECT_TRUE(fs::exists(dir_ / "pictures" / "picture-1.bmp"));
  device_->TakeNotices();

  const Json::Value refused[][2] = {
      {"CrabOnePicture", Params({{"path", "../evil.jpg"}})},
      {"WriteFile", Params({{"fileName", "/tmp/evil.txt"}, {"data", "x"}})},
      {"WriteFile", Params({{"fileName", ""}, {"data", "x"}})},
      {"SetStoragePath", Params({{"type", 0}, {"path", "../../x"}})},
      {"ExportConfigFile", Params({{"sessionID", "1"}, {"fileName", "..\\evil.json"}})},
      {"ImportConfigFile", Params({{"sessionID", "1"}, {"fileName", "../x.json"}})},
  };
  for (const auto& [method, params] : refused) EXPECT_FALSE(Call(method.asString(), params).asBool()) << method;
  EXPECT_FALSE(fs::exists(dir_.parent_path() / "evil.jpg"));
  EXPECT_TRUE(device_->TakeNotices().empty());

  EXPECT_TRUE(Call("WriteFile", Params({{"fileName", "notes.txt"}, {"data", "ab"}, {"mode", "w"}})).asBool());
  EXPECT_TRUE(Call("WriteFile", Params({{"fileName", "notes.txt"}, {"data", "cd"}, {"mode", "a"}})).asBool());
  std::ifstream notes(dir_ / "notes.txt");
  EXPECT_EQ(std::string(std::istreambuf_iterator<char>(notes), {}), "abcd");
}

TEST_F(DeviceTest, ExportedConfigurationImportsAgain) {
  Call("AdjustImageParams", Params({{"brightness", 40}}));
  EXPECT_TRUE(Call("ExportConfigFile", Params({{"sessionID", "7"}, {"fileName", "config.json"}})).asBool());
  EXPECT_TRUE(Call("ImportConfigFile", Params({{"sessionID", "7"}, {"fileName", "config.json"}})).asBool());
  EXPECT_TRUE(Call("ImportConfigFile", Params({{"sessionID", "7"}, {"fileName", "missing.json"}})).asBool());
  const auto notices = device_->TakeNotices();
  ASSERT_EQ(notices.size(), 3u);
  EXPECT_EQ(notices[0].name, "ConfigFileExported");
  EXPECT_TRUE(notices[0].args["success"].asBool());
  EXPECT_TRUE(notices[1].args["success"].asBool());
  EXPECT_FALSE(notices[2].args["success"].asBool());
}

TEST_F(DeviceTest, DialogsAnswerWithTheirEvents) {
  Call("WriteFile", Params({{"fileName", "b.json"}, {"data", "{}"}}));
  Call("WriteFile", Params({{"fileName", "a.txt"}, {"data", ""}}));
  EXPECT_TRUE(Call("SelectOpenFile", Params({{"filter", "Config (*.json)|*.json"}})).asBool());
  EXPECT_TRUE(Call("SelectSaveFile", Params({{"filter", ""}, {"defaultName", "out.json"}})).asBool());
  EXPECT_TRUE(Call("SelectDirectory").asBool());
  const auto notices = device_->TakeNotices();
  ASSERT_EQ(notices.size(), 3u);
  EXPECT_EQ(notices[0].args["FileName"].asString(), (dir_ / "b.json").string());
  EXPECT_EQ(notices[1].args["FileName"].asString(), (dir_ / "out.json").string());
  EXPECT_EQ(notices[2].name, "SelectedDirectory");
  EXPECT_EQ(notices[2].args["PathName"].asString(), dir_.string());
}

TEST_F(DeviceTest, AnalysisShapesReadBackWhatWasStored) {
  const std::string container = Call("CreateVideoAnalyseContainer").asString();
  ASSERT_FALSE(container.empty());
  const std::string main = Call("CreateMainVideoAnalyseShape",
                                Params({{"containerID", container}, {"eventName", "Count"}, {"shapeType", "PixelRectangle"},
                                        {"markedName", "pc"}, {"data", R"({"PixelRectangle": [300, 200]})"}, {"param", ""}}))
                               .asString();
  EXPECT_EQ(main, "1");
  const std::string sub = Call("AddSubVideoAnalyseShape", Params({{"containerID", container}, {"mainShapeID", main},
                                                                  {"markedName", "Rectangle"}, {"data", R"({"Rectangle": [30, 60]})"}}))
                              .asString();
  EXPECT_EQ(sub, "2");
  Json::Value config;
  std::istringstream in(Call("GetVideoAnalyseShapeConfigData", Params({{"containerID", container}, {"shapeID", main}})).asString());
  ASSERT_TRUE(Json::parseFromStream(Json::CharReaderBuilder(), in, &config, nullptr));
  EXPECT_EQ(config["PixelRectangle"][1][0].asInt(), 300);
  EXPECT_EQ(config["Rectangle"][1].asInt(), 60);

  EXPECT_TRUE(Call("ShowVideoAnalyseShape", Params({{"containerID", container}, {"shapeID", sub}, {"flag", true}})).asBool());
  EXPECT_FALSE(Call("ShowVideoAnalyseShape", Params({{"containerID", "nope"}, {"shapeID", sub}})).asBool());
  EXPECT_TRUE(Call("DeleteVideoAnalyseShape", Params({{"containerID", container}, {"shapeID", main}})).asBool());
  EXPECT_FALSE(Call("ShowVideoAnalyseShape", Params({{"containerID", container}, {"shapeID", sub}})).asBool())
      << "deleting a main shape deletes its sub-shapes";
  EXPECT_EQ(NoticeNames(), (std::vector<std::string>{"VideoAnalyzeConfig", "VideoAnalyzeConfig"}));
}

TEST_F(DeviceTest, AnalysisDisplayShowsEachShapeOnItsViewWithItsState) {
  EXPECT_EQ(device_->AnalysisDisplay()["enabled"], false);
  const std::string container = Call("CreateVideoAnalyseContainer").asString();
  EXPECT_TRUE(Call("EnableVideoAnalyseContainer", Params({{"containerID", container}, {"flag", true}})).asBool());
  ASSERT_TRUE(Call("SwicthMultiWndNum", Params({{"num", 4}})).asBool());
  device_->SelectView(2);
  const std::string main = Call("CreateMainVideoAnalyseShape",
                                Params({{"containerID", container}, {"shapeType", "Rect"}, {"markedName", "Rect"},
                                        {"data", R"({"Rectangle": [[10, 20], [110, 220]]})"}}))
                               .asString();
  device_->SelectView(0);
  const std::string sub = Call("AddSubVideoAnalyseShape", Params({{"containerID", container}, {"mainShapeID", main},
                                                                  {"markedName", "Rectangle"}, {"data", "{}"}}))
                              .asString();
  Call("ShowVideoAnalyseShape", Params({{"containerID", container}, {"shapeID", main}, {"flag", false}}));
  Call("SelectVideoAnalyseShape", Params({{"containerID", container}, {"shapeID", main}, {"flag", true}}));
  Call("SetVideoAnalyseShapeColor", Params({{"containerID", container}, {"shapeID", main}, {"red", 255},
                                            {"green", 0}, {"blue", 9}, {"sel", false}}));

  const Json::Value display = device_->AnalysisDisplay();
  EXPECT_EQ(display["enabled"], true);
  const Json::Value& shape = display["shapes"][main];
  EXPECT_EQ(shape["view"], 2) << "drawn on the view that was current";
  EXPECT_EQ(shape["shapeType"], "Rect");
  EXPECT_EQ(shape["data"]["Rectangle"][1][1], 220);
  EXPECT_EQ(shape["shown"], false);
  EXPECT_EQ(shape["selected"], true);
  Json::Value colour(Json::arrayValue);
  for (int part : {255, 0, 9}) colour.append(part);
  EXPECT_EQ(shape["color"], colour);
  EXPECT_EQ(display["shapes"][sub]["view"], 2) << "a sub-shape goes with its main shape";
  EXPECT_EQ(display["shapes"][sub]["shown"], true);
  EXPECT_TRUE(display["shapes"][sub]["color"].isNull());
  Call("DeleteVideoAnalyseShape", Params({{"containerID", container}, {"shapeID", main}}));
  EXPECT_TRUE(device_->AnalysisDisplay()["shapes"].empty());
}

TEST_F(DeviceTest, MalformedRequestsGetTheEmptyReply) {
  for (const char* request : {"", "not json", "[1]", R"({"method": 5})", R"({"method": "NoSuchMethod"})"}) {
    EXPECT_EQ(device_->Handle(request), "") << request;
  }
  // Params of the wrong type read as neutral values instead of throwing.
  EXPECT_EQ(device_->Handle(R"({"method": "LoginDevice", "params": [1, 2]})"), R"({"result":-3})");
  EXPECT_EQ(device_->Handle(R"({"method": "SetVolume", "params": {"volume": "loud"}})"), R"({"result":true})");
}

}  // namespace
}  // namespace device
