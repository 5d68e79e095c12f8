#include "app/run_options.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <set>
#include <sstream>

#include "app/frame_statistics.h"
#include "app/program_folders.h"
#include "platform/host.h"
#include "services/frame_timer.h"

namespace {

RunOptionsResult Parse(std::vector<const char*> args, RunDescription* run,
                       std::string* error = nullptr) {
  std::string ignored;
  args.insert(args.begin(), "vulcara");
  return ParseRunOptions(static_cast<int>(args.size()), args.data(), run, error ? error : &ignored);
}

// Capture times in any order are taken in order.
TEST(RunOptions, BadInputIsAnErrorThatNamesItAndCaptureTimesAreSorted) {
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
      {"--video", "v.mp4"}};
  for (const auto& args : bad) {
    RunDescription o;
    std::string error;
    EXPECT_EQ(Parse(args, &o, &error), RunOptionsResult::kError) << args[0];
    EXPECT_FALSE(error.empty());
  }
  RunDescription o;
  EXPECT_EQ(Parse({"--help"}, &o), RunOptionsResult::kHelp);
  EXPECT_EQ(Parse({"--version"}, &o), RunOptionsResult::kVersion);
  ASSERT_EQ(Parse({"--capture", "out", "--capture-at", "3,1.5"}, &o), RunOptionsResult::kRun);
  EXPECT_EQ(o.captureAt, (std::vector<double>{1.5, 3.0}));
}

// A run ends on the frame whose clock reaches its seconds, and the video's total is that frame:
// for a step that divides the time or not, and over a long run, where a float sum would drift.
TEST(RunOptions, ARunEndsOnTheFrameThatReachesItsSecondsAndItsTotalIsThatFrame) {
  for (const auto& [step, seconds, frames] :
       {std::tuple{"20", "8.06", 404u}, {"7", "0.105", 16u}, {"100", "1800", 18001u}}) {
    RunDescription options;
    ASSERT_EQ(Parse({"--fixed-step", step, "--seconds", seconds}, &options),
              RunOptionsResult::kRun);
    host::UseVirtualClock(options.fixedStepMs);
    FrameTimer timer;
    uint64_t frame = 0;
    do {
      timer.Update();
      host::AdvanceVirtualClock();
    } while (!options.IsOver(++frame, timer.totalMs));
    EXPECT_EQ(frame, frames) << seconds;
    EXPECT_EQ(options.FramesOfRun(), frames) << seconds;
    EXPECT_EQ(timer.totalSeconds, float((frames - 1) * options.fixedStepMs) / 1000) << seconds;
  }
  host::UseRealClock();
}

// XDG's folders: a relative or empty value counts as unset.
TEST(ProgramFolders, ARelativeOrEmptyXdgValueIsIgnored) {
  EXPECT_EQ(ProgramFolders::UserFolder("/x", "/h", ".config"), "/x/vulcara");
  for (const char* unset : {"", "x", static_cast<const char*>(nullptr)}) {
    EXPECT_EQ(ProgramFolders::UserFolder(unset, "/h", ".config"), "/h/.config/vulcara");
    EXPECT_EQ(ProgramFolders::UserFolder(unset, "h", ".config"), "");
  }
}

// A benchmark's summary of frames of 1 to 100 ms in no order, the first and last counters
// apart; and of no frame, as when it starts after the run ends.
TEST(FrameStatistics, SummarizeTheFramesInOrderAndNoneWithoutDividingByThem) {
  FrameStatistics statistics;
  for (uint32_t i = 0; i < 100; ++i)
    statistics.Add((i * 37) % 100 + 1, DeviceCounters{.liveTextures = i});
  const FrameSummary s = statistics.Summarize(1, 1);
  EXPECT_EQ(std::vector({s.meanMs, s.medianMs, s.p95Ms, s.p99Ms, s.worstMs}),
            std::vector({50.5, 50.0, 95.0, 99.0, 100.0}));
  EXPECT_EQ(s.texturesAliveLast - s.texturesAliveFirst, 99u);
  EXPECT_EQ(FrameStatistics().Summarize(0, 0).frames, 0u);
}

// The README's table of run options names every option the usage text has, and no other.
TEST(RunOptions, TheReadmeListsEveryOptionAndNoOther) {
  std::stringstream readme;
  readme << std::ifstream(VULCARA_SOURCE_DIR "/README.md").rdbuf();
  const std::string all = readme.str();
  const size_t start = all.find("## Run options");
  auto optionsIn = [](const std::string& s) {
    const std::regex option("--[a-z][a-z-]*");
    return std::set<std::string>(std::sregex_token_iterator(s.begin(), s.end(), option),
                                 std::sregex_token_iterator());
  };
  std::set<std::string> known = optionsIn(RunOptionsUsage("vulcara"));
  for (const char* notInTheTable : {"--help", "--version"}) known.erase(notInTheTable);
  EXPECT_EQ(optionsIn(all.substr(start, all.find("\n\n", all.find("| option", start)) - start)),
            known);
}

}  // namespace
