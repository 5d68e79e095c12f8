#include "app/run_options.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/app_globals.h"
#include "app/frame_statistics.h"
#include "app/run_monitor.h"
#include "platform/d3d8/record/recording_backend.h"
#include "platform/host.h"
#include "services/frame_timer.h"

namespace {

RunOptionsResult Parse(std::vector<const char*> args, RunOptions* options,
                       std::string* error = nullptr) {
  std::string ignored;
  args.insert(args.begin(), "vulcara");
  return ParseRunOptions(static_cast<int>(args.size()), args.data(), options,
                         error ? error : &ignored);
}

TEST(RunOptions, NoOptionsRunAsAlways) {
  RunOptions o;
  EXPECT_EQ(Parse({}, &o), RunOptionsResult::kRun);
  EXPECT_FALSE(o.headless);
  EXPECT_EQ(o.fixedStepMs, 0u);
  EXPECT_EQ(o.frames, 0u);
  EXPECT_FALSE(o.benchmark);
}

TEST(RunOptions, ReadsEveryOption) {
  RunOptions o;
  ASSERT_EQ(Parse({"--headless", "--fixed-step", "20", "--frames", "7", "--seconds", "2.5",
                   "--input", "in.txt", "--capture", "out", "--capture-at", "3,1.5",
                   "--benchmark-json", "/b.json", "--benchmark-from", "37", "--video", "v.mp4"},
                  &o),
            RunOptionsResult::kRun);
  EXPECT_TRUE(o.headless);
  EXPECT_EQ(o.fixedStepMs, 20u);
  EXPECT_EQ(o.frames, 7u);
  EXPECT_DOUBLE_EQ(o.seconds, 2.5);
  // Relative paths mean the folder the program started in, wherever it goes from there.
  EXPECT_EQ(o.inputFile, std::filesystem::current_path() / "in.txt");
  EXPECT_EQ(o.captureDir, std::filesystem::current_path() / "out");
  EXPECT_EQ(o.captureAt, (std::vector<double>{1.5, 3.0}));
  EXPECT_TRUE(o.benchmark);
  EXPECT_EQ(o.benchmarkJson, "/b.json");
  EXPECT_DOUBLE_EQ(o.benchmarkFrom, 37.0);
  EXPECT_EQ(o.videoFile, std::filesystem::current_path() / "v.mp4");
}

TEST(RunOptions, BadInputIsAnErrorThatNamesIt) {
  const std::vector<std::vector<const char*>> bad = {
      {"--fullscreen"},
      {"--frames"},
      {"--frames", "0"},
      {"--frames", "-3"},
      {"--fixed-step", "x"},
      {"--seconds", "0"},
      {"--seconds", "inf"},
      {"--capture", "d"},
      {"--capture-every", "2"},
      {"--capture", "d", "--capture-at", "1,,2"},
      {"--capture", "d", "--capture-at", "1", "--capture-every", "1"},
      {"--input", VULCARA_SOURCE_DIR "/README.md", "--record-input",
       VULCARA_SOURCE_DIR "/./README.md"},
      {"--video", "v.mp4"},
  };
  for (const auto& args : bad) {
    RunOptions o;
    std::string error;
    EXPECT_EQ(Parse(args, &o, &error), RunOptionsResult::kError) << args[0];
    EXPECT_FALSE(error.empty());
  }
  RunOptions o;
  EXPECT_EQ(Parse({"--help"}, &o), RunOptionsResult::kHelp);
  EXPECT_EQ(Parse({"--version"}, &o), RunOptionsResult::kVersion);
}

// A fixed-step run of T seconds stops at the first frame whose clock reaches T; frame k shows
// (k - 1) x S ms, so twenty minutes of 20 ms frames are 60,001 frames.
TEST(RunMonitor, ARunOfTSecondsAtStepsOfSHasTOverSPlusOneFrames) {
  host::UseVirtualClock(20, 0);
  g_device = CreateRecordingDevice(8, 8);
  g_timer = new FrameTimer();
  RunOptions options;
  options.seconds = 1200.0;
  RunMonitor monitor(options);
  uint64_t frames = 0;
  for (MSG quit{}; !PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE); ++frames) {
    g_timer->Update();
    monitor.FrameDone();
    host::AdvanceVirtualClock();
  }
  EXPECT_EQ(frames, 60001u);
  delete std::exchange(g_timer, nullptr);
  SafeRelease(g_device);
  host::UseRealClock();
}

TEST(FrameStatistics, PercentilesByNearestRank) {
  FrameStatistics stats;
  DeviceCounters counters;
  counters.draws = 3;
  counters.bytesUploaded = 10;
  for (int ms = 1; ms <= 100; ++ms) stats.Add(ms, counters);
  FrameSummary s = stats.Summarize(5.05, 2.0);
  EXPECT_EQ(s.frames, 100u);
  EXPECT_DOUBLE_EQ(s.meanMs, 50.5);
  EXPECT_DOUBLE_EQ(s.medianMs, 50.0);
  EXPECT_DOUBLE_EQ(s.p95Ms, 95.0);
  EXPECT_DOUBLE_EQ(s.p99Ms, 99.0);
  EXPECT_DOUBLE_EQ(s.worstMs, 100.0);
  EXPECT_DOUBLE_EQ(s.cpuMsPerFrame, 20.0);
  EXPECT_DOUBLE_EQ(s.draws, 3.0);
  EXPECT_DOUBLE_EQ(s.bytesUploaded, 10.0);
  EXPECT_EQ(FrameStatistics().Summarize(0, 0).frames, 0u);
}

// The options the README's table names, against the ones the program knows.
TEST(RunOptions, TheReadmeListsEveryOptionAndNoOther) {
  std::ifstream readme(VULCARA_SOURCE_DIR "/README.md");
  std::stringstream text;
  text << readme.rdbuf();
  const std::string all = text.str();
  const size_t start = all.find("## Run options");
  const std::string table =
      all.substr(start, all.find("\n\n", all.find("| option", start)) - start);
  auto optionsIn = [](const std::string& s) {
    std::set<std::string> found;
    const std::regex option("--[a-z][a-z-]*");
    for (auto it = std::sregex_iterator(s.begin(), s.end(), option); it != std::sregex_iterator();
         ++it) {
      found.insert(it->str());
    }
    return found;
  };
  std::set<std::string> known = optionsIn(RunOptionsUsage("vulcara"));
  known.erase("--help");
  known.erase("--version");
  EXPECT_EQ(optionsIn(table), known);
}

}  // namespace
