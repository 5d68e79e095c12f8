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
  double seconds = 0.0;      // 0: no time limit
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
  const char* help;
};
std::vector<RunOptionHelp> RunOptionsHelp();
