#include "app/run_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

namespace {

template <typename T>
bool ParseWhole(const std::string& text, T minimum, T* value) {
  const char* end = text.data() + text.size();
  auto [used, error] = std::from_chars(text.data(), end, *value);
  return error == std::errc() && used == end && !text.empty() && *value >= minimum;
}

bool ParseSeconds(const std::string& text, double* value) {
  try {
    size_t used = 0;
    *value = std::stod(text, &used);
    return used == text.size() && std::isfinite(*value) && *value >= 0.0;
  } catch (...) {
    return false;
  }
}

bool ParseTimes(const std::string& list, std::vector<double>* times) {
  std::stringstream in(list);
  std::string item;
  while (std::getline(in, item, ',')) {
    double t = 0;
    if (!ParseSeconds(item, &t)) return false;
    times->push_back(t);
  }
  std::sort(times->begin(), times->end());
  return !times->empty();
}

bool CheckCombination(const RunOptions& options, std::string* error) {
  bool hasTimes = !options.captureAt.empty() || options.captureEvery > 0;
  if (!options.captureDir.empty() && !hasTimes) {
    *error = "--capture needs --capture-at or --capture-every";
    return false;
  }
  if (options.captureDir.empty() && hasTimes) {
    *error = "--capture-at and --capture-every need --capture DIR";
    return false;
  }
  if (!options.captureAt.empty() && options.captureEvery > 0) {
    *error = "use either --capture-at or --capture-every, not both";
    return false;
  }
  return true;
}

}  // namespace

std::string RunOptionsUsage(const char* program) {
  std::string name = program ? program : "vulcara";
  return "usage: " + name +
         " [options]\n"
         "  --headless             no visible window (offscreen rendering, silent audio)\n"
         "  --fixed-step MS        virtual clock: starts at 0, advances MS at every frame\n"
         "  --frames N             quit after N frames\n"
         "  --seconds S            quit once the demo clock reaches S seconds\n"
         "  --input FILE           scripted input events (see README)\n"
         "  --capture DIR          write frames as DIR/frame-NNNNNN.png, with\n"
         "  --capture-at T1,T2,..  the first frames at or after these demo-clock seconds, or\n"
         "  --capture-every N      every Nth frame\n"
         "  --benchmark            print frame-time statistics at exit\n"
         "  --benchmark-json FILE  also write them to FILE as JSON\n"
         "  --help                 this text\n";
}

RunOptionsResult ParseRunOptions(int argc, const char* const* argv, RunOptions* options,
                                 std::string* error) {
  for (int i = 1; i < argc; ++i) {
    std::string option = argv[i];
    if (option == "--help" || option == "-h") return RunOptionsResult::kHelp;
    if (option == "--headless") {
      options->headless = true;
      continue;
    }
    if (option == "--benchmark") {
      options->benchmark = true;
      continue;
    }
    static const char* const kWithValue[] = {"--fixed-step",    "--frames",        "--seconds",
                                             "--input",         "--capture",       "--capture-at",
                                             "--capture-every", "--benchmark-json"};
    if (std::find(std::begin(kWithValue), std::end(kWithValue), option) == std::end(kWithValue)) {
      *error = "unknown option \"" + option + "\"";
      return RunOptionsResult::kError;
    }
    if (i + 1 >= argc) {
      *error = option + " needs a value";
      return RunOptionsResult::kError;
    }
    std::string value = argv[++i];
    bool ok = true;
    if (option == "--fixed-step") {
      ok = ParseWhole<uint32_t>(value, 1, &options->fixedStepMs);
    } else if (option == "--frames") {
      ok = ParseWhole<uint64_t>(value, 1, &options->frames);
    } else if (option == "--seconds") {
      ok = ParseSeconds(value, &options->seconds) && options->seconds > 0.0;
    } else if (option == "--input") {
      options->inputFile = value;
    } else if (option == "--capture") {
      options->captureDir = value;
    } else if (option == "--capture-at") {
      ok = ParseTimes(value, &options->captureAt);
    } else if (option == "--capture-every") {
      ok = ParseWhole<uint32_t>(value, 1, &options->captureEvery);
    } else {  // --benchmark-json
      options->benchmarkJson = value;
      options->benchmark = true;
    }
    if (!ok || value.empty()) {
      *error = "bad value \"" + value + "\" for " + option;
      return RunOptionsResult::kError;
    }
  }
  return CheckCombination(*options, error) ? RunOptionsResult::kRun : RunOptionsResult::kError;
}
