#include "app/config_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "test_folder.h"

namespace {

struct Settings {
  int width = -1;
  int height = -1;
  bool windowed = false;
  int waterDetail = -1;
  bool showFps = false;
  bool operator==(const Settings&) const = default;
};

class ConfigFileTest : public ::testing::Test {
 protected:
  bool Read(const std::string& contents, Settings* s) {
    folder_.Write("config.ini", contents);
    ::testing::internal::CaptureStderr();
    bool ok =
        ReadConfig("config.ini", &s->width, &s->height, &s->windowed, &s->waterDetail, &s->showFps);
    stderr_ = ::testing::internal::GetCapturedStderr();
    return ok;
  }

  TestFolder folder_;
  std::string stderr_;
};

// Any whitespace between tokens, tokens up to 19 characters; a window reads no height; detail
// words are case-sensitive and an unknown one means low; a counter value other than 1 means off.
TEST_F(ConfigFileTest, GoodFilesSetEverySetting) {
  const struct {
    const char* contents;
    Settings expected;
  } files[] = {
      {"displaymode= 0 waterdetail= high showfps= 0000000000000000001", {0, -1, true, 3, true}},
      {"displaymode=\r\n1024\t768\nwaterdetail=\nultra\nshowfps=\n2\n",
       {1024, 768, false, 1, false}},
      {"displaymode= 0 waterdetail= low showfps= 0", {0, -1, true, 1, false}},
      {"displaymode= 0 waterdetail= HIGH showfps= 0", {0, -1, true, 1, false}},
  };
  for (const auto& [contents, expected] : files) {
    Settings s;
    ASSERT_TRUE(Read(contents, &s)) << contents;
    EXPECT_EQ(s, expected) << contents;
    EXPECT_EQ(stderr_, "") << contents;
  }
}

// A wrong first key, keys in the wrong case, a key and its value not apart, bad values, files
// cut short, and a number too large.
TEST_F(ConfigFileTest, MalformedFilesSetNothingButWhatWasAlreadyRead) {
  for (const char* contents :
       {"waterdetail= high displaymode= 0 showfps= 1",
        "DisplayMode= 0 waterdetail= high showfps= 1", "displaymode=0 waterdetail= high showfps= 1",
        "displaymode= zero waterdetail= high showfps= 1",
        "displaymode= 0 waterdetail= high showfps= yes",
        "displaymode= 0 waterdetail= high showfps=", "displaymode= 0 waterdetail= high", "",
        "displaymode= 99999999999999 waterdetail= high showfps= 1"}) {
    Settings s;
    EXPECT_FALSE(Read(contents, &s)) << contents;
    EXPECT_FALSE(s.windowed) << contents;
    EXPECT_EQ(s.waterDetail, -1) << contents;
    EXPECT_FALSE(s.showFps) << contents;
    EXPECT_NE(stderr_.find("config.ini, token "), std::string::npos) << stderr_;
  }
}

// The token's number and what was wrong with it; an over-long token is reported, not overrun,
// and control bytes are escaped. What was read before the failure stays read.
TEST_F(ConfigFileTest, AFailureNamesItsTokenAndKeepsWhatWasRead) {
  const std::pair<const char*, const char*> files[] = {
      {"displaymode= 640 480 showfps= 1", "token 4: expected \"waterdetail=\", found \"showfps=\""},
      {"displaymode= 0 waterdetail= high showfps= 00000000000000000000001",
       "token 6: expected 1 or 0, found a token over 19 characters"},
      {"displaymode= \x1b[2J waterdetail= high showfps= 0",
       "token 2: expected a width, or 0 for a window, found \"\\x1b[2J\""},
  };
  for (const auto& [contents, says] : files) {
    Settings s;
    EXPECT_FALSE(Read(contents, &s));
    EXPECT_EQ(stderr_, std::string("config.ini, ") + says + "; using defaults\n");
  }
  Settings s;
  Read(files[0].first, &s);
  EXPECT_EQ(s, (Settings{640, 480, false, -1, false}));
}

TEST_F(ConfigFileTest, MissingFilesAndDirectoriesAreReportedForWhatTheyAre) {
  std::filesystem::create_directory("dir.ini");
  for (const char* name : {"absent.ini", "dir.ini"}) {
    Settings s;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(ReadConfig(name, &s.width, &s.height, &s.windowed, &s.waterDetail, &s.showFps));
    stderr_ += ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(s.width, -1);
  }
  EXPECT_EQ(stderr_,
            "absent.ini: cannot open it (No such file or directory); using defaults\n"
            "dir.ini: is a directory, not a file; using defaults\n");
}

}  // namespace
