// The data folder as a whole: every file present, progress reported, config.ini kept,
// and the same bytes on every run.
#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "tests/tools/assetgen/generated_folder.h"

namespace assetgen::tests {

namespace {
const std::vector<std::string> kDataFiles = {
    "textures/volcanoh24.bmp", "textures/volcanotex.bmp", "textures/ocean.bmp",
    "textures/smoke.bmp",      "textures/lava.bmp",       "textures/lavastream.bmp",
    "textures/erupdebris.bmp", "textures/shockwave.bmp",  "misc/firepal.bmp",
    "misc/skydome.md3",        "font/FONT_8.bmp",         "font/FONT_8.fon",
    "sound/seawind.wav",       "sound/shorewav.wav",      "sound/rumble.wav",
    "sound/explosion.wav",     "sound/fire.wav",          "config.ini",
};

TEST(AssetgenOutput, WritesEveryFileWithOneProgressLineGivingItsSize) {
  std::string progress = GeneratedFolder::Progress();
  for (const std::string& name : kDataFiles) {
    ASSERT_TRUE(std::filesystem::exists(GeneratedFolder::File(name))) << name;
    auto size = std::filesystem::file_size(GeneratedFolder::File(name));
    EXPECT_GT(size, 0u) << name;
    std::string line = "wrote " + name + " (" + std::to_string(size) + " bytes)\n";
    EXPECT_NE(progress.find(line), std::string::npos) << line;
  }
}

TEST(AssetgenOutput, DefaultConfigIsAValidWindowedHighDetailSetting) {
  EXPECT_EQ(GeneratedFolder::Contents(GeneratedFolder::File("config.ini")),
            "displaymode= 0\nwaterdetail= high\nshowfps= 0\n");
}

TEST(AssetgenOutput, SecondRunKeepsTheUsersConfigAndWritesIdenticalFiles) {
  std::filesystem::path second = GeneratedFolder::FreshTemporaryFolder("second");
  const std::string userSettings = "displaymode= 800 600\nwaterdetail= low\nshowfps= 1\n";
  std::ofstream(second / "config.ini") << userSettings;

  std::string progress = GeneratedFolder::RunGenerator(second);

  EXPECT_EQ(GeneratedFolder::Contents(second / "config.ini"), userSettings);
  EXPECT_EQ(progress.find("wrote config.ini"), std::string::npos);
  for (const std::string& name : kDataFiles) {
    if (name == "config.ini") continue;
    EXPECT_TRUE(GeneratedFolder::Contents(GeneratedFolder::File(name)) ==
                GeneratedFolder::Contents(second / name))
        << name << " differs";
  }
  std::filesystem::remove_all(second);
}
}  // namespace

}  // namespace assetgen::tests
