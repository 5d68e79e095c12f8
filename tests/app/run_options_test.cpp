#include "app/run_options.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/frame_statistics.h"

namespace {

RunOptionsResult Parse(std::vector<const char*> args, RunOptions* options,
                       std::string* error = nullptr) {
  std::string ignored;
  args.insert(args.begin(), "vulcara");
  return ParseRunOptions(static_cast<int>(args.size()), args.data(), options,
                         error ? error : &ignored);
}

// Every option at once; what the runs that use them cannot show is checked here.
TEST(RunOptions, ReadsEveryOption) {
  RunOptions o;
  ASSERT_EQ(Parse({"--headless", "--fixed-step", "20", "--frames", "7", "--seconds", "2.5",
                   "--input", "in.txt", "--capture", "out", "--capture-at", "3,1.5",
                   "--benchmark-json", "/b.json", "--benchmark-from", "37", "--video", "v.mp4"},
                  &o),
            RunOptionsResult::kRun);
  // Relative paths mean the folder the program started in, wherever it goes from there.
  EXPECT_EQ(o.inputFile, std::filesystem::current_path() / "in.txt");
  EXPECT_EQ(o.captureDir, std::filesystem::current_path() / "out");
  EXPECT_EQ(o.captureAt, (std::vector<double>{1.5, 3.0}));
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

// A benchmark that measured no frame, as when it starts after the run ends.
TEST(FrameStatistics, NoFramesSummarizeWithoutDividingByThem) {
  EXPECT_EQ(FrameStatistics().Summarize(0, 0).frames, 0u);
}

}  // namespace
