// The data folder as a whole: every file present, progress reported, config.ini kept,
// and the same bytes on every run.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>

#include "image_files.h"
#include "test_folder.h"
#include "tests/tools/assetgen/generated_folder.h"
#include "tools/assetgen/data_folder_writer.h"

namespace assetgen::tests {

namespace {

// The progress is one line per file of the list, in its order, each giving the file's size; the
// default config.ini is a valid windowed, high-detail setting.
TEST(AssetgenOutput, WritesEveryFileWithOneProgressLineGivingItsSizeAndADefaultConfig) {
  std::string expected;
  for (std::string_view name : kDataFiles) {
    const auto size = std::filesystem::file_size(GeneratedFile(std::string(name)));
    EXPECT_GT(size, 0u) << name;
    expected += "wrote " + std::string(name) + " (" + std::to_string(size) + " bytes)\n";
  }
  EXPECT_EQ(ReadFileBytes(ASSETGEN_TEST_PROGRESS), expected);
  EXPECT_EQ(ReadFileBytes(GeneratedFile("config.ini")),
            "displaymode= 0\nwaterdetail= high\nshowfps= 0\n");
}

TEST(AssetgenOutput, SecondRunKeepsTheUsersConfigAndWritesIdenticalFiles) {
  TestFolder folder;
  const std::filesystem::path& second = folder.Path();
  const std::string userSettings = "displaymode= 800 600\nwaterdetail= low\nshowfps= 1\n";
  std::ofstream(second / "config.ini") << userSettings;

  std::ostringstream progress;
  DataFolderWriter(second, progress).WriteAll();

  EXPECT_EQ(ReadFileBytes(second / "config.ini"), userSettings);
  EXPECT_EQ(progress.str().find("wrote config.ini"), std::string::npos);
  for (std::string_view name : kDataFiles) {
    if (name == "config.ini") continue;
    EXPECT_TRUE(ReadFileBytes(GeneratedFile(std::string(name))) == ReadFileBytes(second / name))
        << name << " differs";
  }
}
}  // namespace

}  // namespace assetgen::tests
