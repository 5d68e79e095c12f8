#include "app/config_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/program_folders.h"
#include "test_folder.h"

namespace {

struct Settings {
  int width = -1;
  int height = -1;
  bool windowed = false;
  int waterDetail = -1;
  bool showFps = false;
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

TEST_F(ConfigFileTest, WindowedFileOnOneLine) {
  Settings s;
  ASSERT_TRUE(Read("displaymode= 0 waterdetail= high showfps= 1", &s));
  EXPECT_TRUE(s.windowed);
  EXPECT_EQ(s.width, 0);
  EXPECT_EQ(s.height, -1);  // no height is read in windowed mode
  EXPECT_EQ(s.waterDetail, 3);
  EXPECT_TRUE(s.showFps);
  EXPECT_EQ(stderr_, "");
}

TEST_F(ConfigFileTest, FullScreenWithUnknownDetailAndCounterValue) {
  Settings s;
  ASSERT_TRUE(Read("displaymode=\r\n1024\t768\nwaterdetail=\nultra\nshowfps=\n2\n", &s));
  EXPECT_FALSE(s.windowed);
  EXPECT_EQ(s.width, 1024);
  EXPECT_EQ(s.height, 768);
  EXPECT_EQ(s.waterDetail, 1);
  EXPECT_FALSE(s.showFps);
}

TEST_F(ConfigFileTest, DetailWords) {
  const std::pair<const char*, int> words[] = {{"low", 1}, {"med", 2}, {"high", 3}, {"HIGH", 1}};
  for (auto [word, detail] : words) {
    Settings s;
    ASSERT_TRUE(Read(std::string("displaymode= 0 waterdetail= ") + word + " showfps= 0", &s));
    EXPECT_EQ(s.waterDetail, detail) << word;
  }
}

TEST_F(ConfigFileTest, MalformedFilesSetNothingButWhatWasAlreadyRead) {
  const char* const files[] = {
      "waterdetail= high displaymode= 0 showfps= 1",  // wrong first key
      "DisplayMode= 0 waterdetail= high showfps= 1",  // keys are case-sensitive
      "displaymode=0 waterdetail= high showfps= 1",   // key and value must be apart
      "displaymode= zero waterdetail= high showfps= 1",
      "displaymode= 0 waterdetail= high showfps= yes",
      "displaymode= 0 waterdetail= high showfps=",
      "displaymode= 0 waterdetail= high",
      "",
      "displaymode= 0 waterdetail= aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa showfps= 1",
      "displaymode= 99999999999999 waterdetail= high showfps= 1",
  };
  for (const char* contents : files) {
    Settings s;
    EXPECT_FALSE(Read(contents, &s)) << contents;
    EXPECT_FALSE(s.windowed) << contents;
    EXPECT_EQ(s.waterDetail, -1) << contents;
    EXPECT_FALSE(s.showFps) << contents;
    EXPECT_NE(stderr_.find("config.ini, token "), std::string::npos) << stderr_;
  }
}

TEST_F(ConfigFileTest, FailureAfterTheResolutionKeepsTheResolution) {
  Settings s;
  EXPECT_FALSE(Read("displaymode= 640 480 showfps= 1", &s));
  EXPECT_EQ(s.width, 640);
  EXPECT_EQ(s.height, 480);
  EXPECT_FALSE(s.windowed);
  EXPECT_EQ(stderr_,
            "config.ini, token 4: expected \"waterdetail=\", found \"showfps=\"; using defaults\n");
}

TEST_F(ConfigFileTest, OverlongTokenIsReportedNotOverrun) {
  Settings s;
  EXPECT_FALSE(Read("displaymode= 0 waterdetail= high showfps= 00000000000000000000001", &s));
  EXPECT_NE(stderr_.find("token 6"), std::string::npos) << stderr_;
  EXPECT_NE(stderr_.find("over 19 characters"), std::string::npos) << stderr_;
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

TEST_F(ConfigFileTest, ControlBytesInATokenAreEscapedWhenReported) {
  Settings s;
  EXPECT_FALSE(Read("displaymode= \x1b[2J waterdetail= high showfps= 0", &s));
  EXPECT_EQ(stderr_,
            "config.ini, token 2: expected a width, or 0 for a window, found \"\\x1b[2J\"; "
            "using defaults\n");
}

// An installed program's config.ini and log: under the XDG variable when it holds an absolute
// path, else under HOME; a relative or empty value counts as unset.
TEST(ProgramFolders, UserFoldersFollowTheXdgRules) {
  EXPECT_EQ(ProgramFolders::UserFolder("/x/cfg", "/home/u", ".config"), "/x/cfg/vulcara");
  for (const char* unset : {"", "cfg", static_cast<const char*>(nullptr)}) {
    EXPECT_EQ(ProgramFolders::UserFolder(unset, "/home/u", ".local/state"),
              "/home/u/.local/state/vulcara");
  }
  EXPECT_EQ(ProgramFolders::UserFolder("", "home", ".config"), "");
}

}  // namespace
