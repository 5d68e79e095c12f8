#pragma once
// The command line's options, for tests, captures and benchmarks: each fills its part of the
// run's description. Without any, the program runs as it always does: a window, the real clock,
// live input.
#include <string>
#include <vector>

#include "platform/run_description.h"

enum class RunOptionsResult { kRun, kHelp, kVersion, kError };

// Paths come out absolute: a relative one is taken from the working directory of the call.
RunOptionsResult ParseRunOptions(int argc, const char* const* argv, RunDescription* run,
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
