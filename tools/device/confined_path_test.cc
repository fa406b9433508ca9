#include "tools/device/confined_path.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace device {
namespace {

namespace fs = std::filesystem;

class ConfinePathTest : public ::testing::Test {
 protected:
  ConfinePathTest() {
    root_ = fs::temp_directory_path() / ("confine-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                                         "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::create_directories(root_ / "sub");
    root_ = fs::canonical(root_);
  }
  ~ConfinePathTest() override { fs::remove_all(root_); }
  fs::path root_;
};

TEST_F(ConfinePathTest, KeepsPathsInsideAndRefusesEscapes) {
  struct Case {
    std::string page_path;
    const char* inside;  // relative to the root, or null for refused
  };
  const Case cases[] = {
      {"", ""},
      {"a.jpg", "a.jpg"},
      {"sub/a.jpg", "sub/a.jpg"},
      {"sub\\a.jpg", "sub/a.jpg"},
      {"sub/../a.jpg", "a.jpg"},
      {"new/dir/a.jpg", "new/dir/a.jpg"},
      {"..", nullptr},
      {"../a.jpg", nullptr},
      {"sub/../../a.jpg", nullptr},
      {"..\\..\\a.jpg", nullptr},
      {"/etc/passwd", nullptr},
      {"C:\\pic\\a.jpg", nullptr},
      {std::string("a\0b", 3), nullptr},
      {(fs::temp_directory_path() / "x").string(), nullptr},
  };
  for (const Case& c : cases) {
    const auto path = ConfinePath(root_, c.page_path);
    if (c.inside == nullptr) {
      EXPECT_FALSE(path) << c.page_path << " gave " << path.value_or("").string();
    } else {
      ASSERT_TRUE(path) << c.page_path;
      EXPECT_EQ(*path, *c.inside ? (root_ / c.inside).lexically_normal() : root_) << c.page_path;
    }
  }
  // An absolute path inside the root is its own.
  EXPECT_EQ(ConfinePath(root_, (root_ / "sub" / "b").string()), root_ / "sub" / "b");
}

TEST_F(ConfinePathTest, RefusesALinkThatLeadsOut) {
  std::error_code error;
  fs::create_directory_symlink(fs::temp_directory_path(), root_ / "out", error);
  if (error) GTEST_SKIP() << "no symbolic links here";
  EXPECT_FALSE(ConfinePath(root_, "out/a.jpg"));
}

TEST(LastPathPartTest, TakesTheTextAfterEitherSeparator) {
  EXPECT_EQ(LastPathPart("a/b\\c.txt"), "c.txt");
  EXPECT_EQ(LastPathPart("c.txt"), "c.txt");
  EXPECT_EQ(LastPathPart("dir/"), "");
}

}  // namespace
}  // namespace device
