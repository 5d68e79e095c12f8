// The program itself, run headless as a user or CI would run it.
#include <png.h>
#include <sys/wait.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>

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

// Counts the pixels of a PNG file that differ from the colour.
int CountPixelsUnlike(const std::string& path, uint8_t r, uint8_t g, uint8_t b, int* total) {
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return -1;
  image.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> pixels(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr)) return -1;
  *total = static_cast<int>(image.width * image.height);
  int unlike = 0;
  for (size_t i = 0; i < pixels.size(); i += 4) {
    if (pixels[i] != r || pixels[i + 1] != g || pixels[i + 2] != b || pixels[i + 3] != 255) {
      ++unlike;
    }
  }
  return unlike;
}

class HeadlessRun : public ::testing::Test {
 protected:
  TestFolder folder_;
};

TEST_F(HeadlessRun, CapturesThreeFramesOfTheClearColour) {
  folder_.Write("config.ini", "displaymode= 0\nwaterdetail= high\nshowfps= 0\n");
  RunResult run = RunProgram("--headless --fixed-step 20 --frames 3 --capture cap --capture-every 1");
  ASSERT_EQ(run.status, 0) << run.output;
  for (const char* name : {"cap/frame-000001.png", "cap/frame-000002.png", "cap/frame-000003.png"}) {
    int total = 0;
    EXPECT_EQ(CountPixelsUnlike(name, 0, 0, 200, &total), 0) << name;
    EXPECT_EQ(total, 800 * 600) << name;
  }
  EXPECT_FALSE(std::filesystem::exists("cap/frame-000004.png"));
}

TEST_F(HeadlessRun, FailedStartUpEndsWithoutAFrameAndFailureStatus) {
  folder_.Write("config.ini", "displaymode= 4321 123\nwaterdetail= high\nshowfps= 0\n");
  RunResult run = RunProgram("--headless --frames 3 --capture cap --capture-every 1");
  EXPECT_NE(run.status, 0);
  EXPECT_NE(run.output.find("Error: Error Creating Direct3D Device"), std::string::npos)
      << run.output;
  EXPECT_FALSE(std::filesystem::exists("cap/frame-000001.png"));
}

TEST_F(HeadlessRun, ScriptedEscapeQuitsThroughTheNormalShutDown) {
  folder_.Write("config.ini", "displaymode= 0\nwaterdetail= high\nshowfps= 0\n");
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
  for (const char* args : {"--bogus", "--frames none", "--headless --input missing.txt"}) {
    RunResult run = RunProgram(args);
    EXPECT_EQ(run.status, 2) << args;
    EXPECT_NE(run.output.find("usage:"), std::string::npos) << args << run.output;
  }
}

TEST_F(HeadlessRun, MalformedInputScriptNamesTheLine) {
  folder_.Write("input.txt", "0 key A\n1 keydown NOSUCH\n");
  RunResult run = RunProgram("--headless --input input.txt");
  EXPECT_EQ(run.status, 2);
  EXPECT_NE(run.output.find("input.txt: line 2: unknown key \"NOSUCH\""), std::string::npos)
      << run.output;
}

}  // namespace
