#pragma once
// Command-line options for tests, captures and benchmarks. Without any, the program runs
// as it always does: a window, the real clock, live input.
#include <cstdint>
#include <string>
#include <vector>

struct RunOptions {
  bool headless = false;
  uint32_t fixedStepMs = 0;  // 0: the real clock
  uint64_t frames = 0;       // 0: no frame limit
  uint64_t stopAtMs = 0;     // 0: no time limit; --seconds to the whole millisecond
  std::string inputFile;
  std::string recordInputFile;
  std::string captureDir;
  std::vector<double> captureAt;  // demo-clock seconds, ascending
  uint32_t captureEvery = 0;      // every Nth frame
  bool benchmark = false;
  std::string benchmarkJson;
  double benchmarkFrom = 0.0;  // demo-clock seconds of the first frame counted
  std::string videoFile;
};

// The one rule of a run's length: over after the frame of that number (from 1), presented at
// that reading of the demo clock, when it is the last frame asked for or the clock has reached
// the seconds asked for.
bool RunIsOver(const RunOptions& options, uint64_t frameNumber, uint64_t clockMs);
// The frames a run makes by that rule when its clock moves a fixed step a frame; 0 when it has no
// set length.
uint64_t FramesOfRun(const RunOptions& options);

enum class RunOptionsResult { kRun, kHelp, kVersion, kError };

// Paths come out absolute: a relative one is taken from the working directory of the call.
RunOptionsResult ParseRunOptions(int argc, const char* const* argv, RunOptions* options,
                                 std::string* error);
std::string RunOptionsUsage(const char* program);

// Every option as the usage lists it, for the manual page: the value's placeholder is null for
// a switch.
struct RunOptionHelp {
  const char* name;
  const char* value;
  std::string help;
};
std::vector<RunOptionHelp> RunOptionsHelp();
