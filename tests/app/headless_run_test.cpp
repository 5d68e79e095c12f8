// The program itself, run headless as a user or CI would run it.
#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "region_mean.h"
#include "test_folder.h"

namespace {

struct RunResult {
  int status = -1;
  std::string output;
};

RunResult RunProgram(const std::string& arguments) {
  std::string command = std::string(VULCARA_EXE) + " " + arguments + " > run.log 2>&1";
  RunResult result;
  int raw = std::system(command.c_str());
  result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  std::ifstream log("run.log");
  std::stringstream text;
  text << log.rdbuf();
  result.output = text.str();
  return result;
}

struct PngPixels {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
};

PngPixels ReadPng(const std::string& path) {
  PngPixels out;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
  image.format = PNG_FORMAT_RGBA;
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) return {};
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  return out;
}

// Runs in a copy of the generated data folder, as `make run` does.
class HeadlessRun : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_.CopyFrom(VULCARA_DATA_DIR);
    folder_.Write("config.ini", "displaymode= 0\nwaterdetail= high\nshowfps= 0\n");
  }
  TestFolder folder_;
};

TEST_F(HeadlessRun, CapturesEveryFrameAskedFor) {
  RunResult run =
      RunProgram("--headless --fixed-step 20 --frames 3 --capture cap --capture-every 1");
  ASSERT_EQ(run.status, 0) << run.output;
  for (const char* name :
       {"cap/frame-000001.png", "cap/frame-000002.png", "cap/frame-000003.png"}) {
    PngPixels frame = ReadPng(name);
    EXPECT_EQ(frame.width, 800) << name;
    EXPECT_EQ(frame.height, 600) << name;
  }
  EXPECT_FALSE(std::filesystem::exists("cap/frame-000004.png"));
}

MeanColour MeanOf(const PngPixels& p, int x0, int y0, int width, int height) {
  return RegionMean(p.rgba, p.width, x0, y0, width, height);
}

// How much the red channel varies over a region: the clouds' white shows in it, blue doesn't.
double RedSpread(const PngPixels& p, int x0, int y0, int width, int height) {
  const double mean = MeanOf(p, x0, y0, width, height).r;
  double sum = 0;
  for (int y = y0; y < y0 + height; ++y) {
    for (int x = x0; x < x0 + width; ++x) {
      const double d = p.rgba[(size_t(y) * p.width + x) * 4] - mean;
      sum += d * d;
    }
  }
  return std::sqrt(sum / (double(width) * height));
}

// Mean absolute difference of two frames' red channels over a region.
double RedChange(const PngPixels& a, const PngPixels& b, int x0, int y0, int width, int height) {
  double sum = 0;
  for (int y = y0; y < y0 + height; ++y) {
    for (int x = x0; x < x0 + width; ++x) {
      const size_t i = (size_t(y) * a.width + x) * 4;
      sum += std::abs(int(a.rgba[i]) - int(b.rgba[i]));
    }
  }
  return sum / (double(width) * height);
}

TEST_F(HeadlessRun, IntroViewShowsTheIslandInTheSeaUnderChurningCloudsAndRisingSmoke) {
  RunResult run =
      RunProgram("--headless --fixed-step 20 --frames 150 --capture cap --capture-every 50");
  ASSERT_EQ(run.status, 0) << run.output;
  PngPixels frame = ReadPng("cap/frame-000050.png"), later = ReadPng("cap/frame-000150.png");
  ASSERT_EQ(frame.width, 800);
  ASSERT_EQ(later.width, 800);
  // Past the sea plane's far edge the sky dome: clouds lighten the clear colour unevenly, and
  // two seconds later they have moved.
  MeanColour sky = MeanOf(frame, 0, 0, 800, 120);
  EXPECT_GT(sky.r, 30.0) << sky.r << " " << sky.g << " " << sky.b;
  EXPECT_GT(sky.b, sky.r + 60);
  EXPECT_GT(RedSpread(frame, 0, 0, 800, 120), 5.0);
  EXPECT_GT(RedChange(frame, later, 0, 0, 800, 120), 2.0);
  // The cone fills the lower middle: dark rock, warmer than it is blue.
  MeanColour island = MeanOf(frame, 340, 400, 120, 180);
  EXPECT_GT(island.r, island.b + 8) << island.r << " " << island.g << " " << island.b;
  EXPECT_GT(island.r, 25.0);
  // Water on both sides: blue, half of it the clear colour shining through.
  for (int x0 : {20, 600}) {
    MeanColour water = MeanOf(frame, x0, 350, 180, 230);
    EXPECT_GT(water.b, 100.0) << x0;
    EXPECT_GT(water.b, water.r + 80) << x0;
    EXPECT_GT(water.g, water.r) << x0;  // the texture's green, not the plain clear colour
  }
  // Three seconds in, a whole column of smoke stands over the crater, whitening the sea behind
  // it, fainter as it climbs; the sea beside it stays blue.
  const double sea = MeanOf(later, 560, 235, 100, 50).r;
  const double low = MeanOf(later, 350, 235, 100, 50).r, high = MeanOf(later, 320, 170, 160, 50).r;
  EXPECT_LT(sea, 15.0);
  EXPECT_GT(low, sea + 40) << low;
  EXPECT_GT(high, sea + 10) << high;
  EXPECT_LT(high, low - 20) << high;
}

TEST_F(HeadlessRun, FailedStartUpEndsWithoutAFrameAndFailureStatus) {
  for (const char* size : {"4321 123", "-1 600"}) {
    folder_.Write("config.ini",
                  std::string("displaymode= ") + size + "\nwaterdetail= high\nshowfps= 0\n");
    RunResult run = RunProgram("--headless --frames 3 --capture cap --capture-every 1");
    EXPECT_NE(run.status, 0);
    EXPECT_NE(run.output.find("Error: Error Creating Direct3D Device"), std::string::npos)
        << run.output;
    EXPECT_FALSE(std::filesystem::exists("cap/frame-000001.png"));
  }
  EXPECT_NE(RunProgram("--headless --frames 3").output.find("out of range (-1x600)"),
            std::string::npos);
}

TEST_F(HeadlessRun, AMissingSmokeOrDebrisSpriteStopsTheStartUpAtItsRow) {
  const std::pair<const char*, const char*> rows[] = {
      {"textures/smoke.bmp", "Error: Particle System Init: FAIL"},
      {"textures/erupdebris.bmp", "Error: Explosion System Init: FAIL"}};
  for (const auto& [file, message] : rows) {
    folder_.CopyFrom(VULCARA_DATA_DIR);
    std::filesystem::remove(file);
    RunResult run = RunProgram("--headless --frames 3 --capture cap --capture-every 1");
    EXPECT_EQ(run.status, 1) << file;
    EXPECT_NE(run.output.find(message), std::string::npos) << run.output;
    EXPECT_FALSE(std::filesystem::exists("cap/frame-000001.png")) << file;
  }
}

TEST_F(HeadlessRun, ScriptedEscapeQuitsThroughTheNormalShutDown) {
  folder_.Write("input.txt", "# leave after a tenth of a second\n0.1 key ESCAPE\n");
  RunResult run = RunProgram(
      "--headless --fixed-step 20 --frames 1000 --input input.txt --benchmark-json bench.json");
  ASSERT_EQ(run.status, 0) << run.output;
  std::ifstream json("bench.json");
  std::string text((std::istreambuf_iterator<char>(json)), std::istreambuf_iterator<char>());
  // Frame n presents at n x 20 ms; Escape arrives after frame 5.
  EXPECT_NE(text.find("\"frames\": 5,"), std::string::npos) << text;
  EXPECT_NE(run.output.find("benchmark: 5 frames"), std::string::npos) << run.output;
}

TEST_F(HeadlessRun, BadOptionsPrintUsageAndExitTwo) {
  for (const char* args :
       {"--bogus", "--frames none", "--headless --input missing.txt", "--headless --input ."}) {
    RunResult run = RunProgram(args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_NE(run.output.find("usage:"), std::string::npos) << args << run.output;
  }
}

TEST_F(HeadlessRun, MalformedInputScriptNamesTheLine) {
  folder_.Write("input.txt", "0 key A\n1 keydown NO\x1b[2JSUCH\n");
  RunResult run = RunProgram("--headless --input input.txt");
  EXPECT_EQ(run.status, 2);
  // The file's bytes are echoed, but never as terminal control sequences.
  EXPECT_NE(run.output.find("input.txt: line 2: unknown key \"NO\\x1b[2JSUCH\""), std::string::npos)
      << run.output;
}

}  // namespace
