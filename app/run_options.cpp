#include "app/run_options.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <filesystem>
#include <sstream>
#include <string_view>

#include "platform/files.h"
#include "platform/video.h"

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

// "WxH", two whole numbers.
bool ParseSize(const std::string& text, uint32_t* width, uint32_t* height) {
  const size_t x = text.find('x');
  return x != std::string::npos && ParseWhole<uint32_t>(text.substr(0, x), 1, width) &&
         ParseWhole<uint32_t>(text.substr(x + 1), 1, height);
}

bool CheckSize(const RunDescription& run, std::string* error) {
  using R = RunDescription;
  if (run.drawnWidth == 0) return true;  // not given
  if (run.drawnWidth >= R::kMinDrawnWidth && run.drawnHeight >= R::kMinDrawnHeight &&
      run.drawnWidth <= R::kMaxDrawnSide && run.drawnHeight <= R::kMaxDrawnSide) {
    return true;
  }
  *error = "--size " + std::to_string(run.drawnWidth) + "x" + std::to_string(run.drawnHeight) +
           " is outside " + std::to_string(R::kMinDrawnWidth) + "x" +
           std::to_string(R::kMinDrawnHeight) + " to " + std::to_string(R::kMaxDrawnSide) +
           " on a side";
  return false;
}

bool CheckCombination(const RunDescription& run, std::string* error) {
  if (!CheckSize(run, error)) return false;
  bool hasTimes = !run.captureAt.empty() || run.captureEvery > 0;
  if (!run.captureDir.empty() && !hasTimes) {
    *error = "--capture needs --capture-at or --capture-every";
    return false;
  }
  if (run.captureDir.empty() && hasTimes) {
    *error = "--capture-at and --capture-every need --capture DIR";
    return false;
  }
  if (!run.captureAt.empty() && run.captureEvery > 0) {
    *error = "use either --capture-at or --capture-every, not both";
    return false;
  }
  // Links and other spellings of one file included: recording would overwrite the script.
  std::error_code unknown;
  if (!run.inputFile.empty() && !run.recordInputFile.empty() &&
      std::filesystem::equivalent(run.inputFile, run.recordInputFile, unknown)) {
    *error = "--record-input would overwrite the --input script " + run.inputFile;
    return false;
  }
  if (run.drawnWidth != 0 && !run.DrawsAtFixedSize()) {
    *error = "--size needs --headless or --video: a window draws at its own size";
    return false;
  }
  if (!run.videoFile.empty() && run.fixedStepMs == 0) {
    *error = "--video needs --fixed-step: the video's frames are the clock's steps";
    return false;
  }
  return true;
}

// Every option, once: its value's placeholder (null for a switch), its help line, and what it
// does to the run. A value shown as FILE or DIR is a path. A value of a few kinds names them
// after the help line, in brackets.
struct OptionSpec {
  const char* name;
  const char* value;
  const char* help;
  bool (*apply)(const std::string& value, RunDescription* run);
  std::string (*kinds)() = nullptr;
};

const OptionSpec kOptions[] = {
    {"--headless", nullptr, "no visible window (offscreen rendering, silent audio)",
     [](const std::string&, RunDescription* o) {
       o->headless = true;
       return true;
     }},
    {"--fixed-step", "MS", "virtual clock: starts at 0, advances MS at every frame",
     [](const std::string& v, RunDescription* o) {
       return ParseWhole<uint32_t>(v, 1, &o->fixedStepMs);
     }},
    {"--size", "WxH", "draw a headless run or a video at W x H pixels (default 800x600)",
     [](const std::string& v, RunDescription* o) {
       return ParseSize(v, &o->drawnWidth, &o->drawnHeight);
     }},
    {"--msaa", "N", "smooth edges with N samples a pixel: 0, 2, 4 (default) or 8",
     [](const std::string& v, RunDescription* o) {
       return ParseWhole<uint32_t>(v, 0, &o->msaaSamples) &&
              (o->msaaSamples == 0 || o->msaaSamples == 2 || o->msaaSamples == 4 ||
               o->msaaSamples == 8);
     }},
    {"--frames", "N", "quit after N frames",
     [](const std::string& v, RunDescription* o) {
       return ParseWhole<uint64_t>(v, 1, &o->frames);
     }},
    {"--seconds", "S", "quit once the demo clock reaches S seconds",
     [](const std::string& v, RunDescription* o) {
       double seconds = 0;
       // Read to the millisecond: the clock counts whole ones.
       if (!ParseSeconds(v, &seconds) || seconds <= 0.0 || seconds > 1e12) return false;
       o->stopAtMs = std::max<uint64_t>(1, uint64_t(std::ceil(seconds * 1000.0 - 1e-6)));
       return true;
     }},
    {"--input", "FILE", "scripted input (format: INPUT SCRIPTS in vulcara(6))",
     [](const std::string& v, RunDescription* o) {
       o->inputFile = v;
       return !v.empty();
     }},
    {"--record-input", "FILE", "also write the live input to FILE as an input script",
     [](const std::string& v, RunDescription* o) {
       o->recordInputFile = v;
       return !v.empty();
     }},
    {"--capture", "DIR", "write frames as DIR/frame-NNNNNN.png, with",
     [](const std::string& v, RunDescription* o) {
       o->captureDir = v;
       return !v.empty();
     }},
    {"--capture-at", "T1,T2,..", "the first frames at or after these demo-clock seconds, or",
     [](const std::string& v, RunDescription* o) { return ParseTimes(v, &o->captureAt); }},
    {"--capture-every", "N", "every Nth frame",
     [](const std::string& v, RunDescription* o) {
       return ParseWhole<uint32_t>(v, 1, &o->captureEvery);
     }},
    {"--benchmark", nullptr, "print frame-time statistics at exit",
     [](const std::string&, RunDescription* o) {
       o->benchmark = true;
       return true;
     }},
    {"--benchmark-json", "FILE", "also write them to FILE as JSON",
     [](const std::string& v, RunDescription* o) {
       o->benchmark = true;
       o->benchmarkJson = v;
       return !v.empty();
     }},
    {"--benchmark-from", "S", "count only the frames from demo-clock second S on",
     [](const std::string& v, RunDescription* o) {
       o->benchmark = true;
       return ParseSeconds(v, &o->benchmarkFrom);
     }},
    {"--video", "FILE", "write every frame and the sound to FILE",
     [](const std::string& v, RunDescription* o) {
       o->videoFile = v;
       return !v.empty();
     },
     video::FileExtensions},
    {"--help", nullptr, "this text", nullptr},
    {"--version", nullptr, "print the version", nullptr},
};

const OptionSpec* FindOption(const std::string& name) {
  for (const OptionSpec& option : kOptions) {
    if (name == option.name) return &option;
  }
  return nullptr;
}

bool TakesPath(const OptionSpec& option) {
  const std::string_view value = option.value ? option.value : "";
  return value == "FILE" || value == "DIR";
}

// The program may move to its data folder before it opens anything, so a relative path is made
// absolute here, against the folder it was started in.
std::string FromStartFolder(const std::string& path) {
  std::error_code error;
  const std::filesystem::path absolute = std::filesystem::absolute(path, error);
  return error ? path : absolute.string();
}

}  // namespace

std::vector<RunOptionHelp> RunOptionsHelp() {
  std::vector<RunOptionHelp> help;
  for (const OptionSpec& option : kOptions) {
    std::string text = option.help;
    if (option.kinds) text += " (" + option.kinds() + ")";
    help.push_back({option.name, option.value, text});
  }
  return help;
}

std::string RunOptionsUsage(const char* program) {
  std::string usage = "usage: " + std::string(program ? program : "vulcara") + " [options]\n";
  for (const RunOptionHelp& option : RunOptionsHelp()) {
    std::string left = std::string("  ") + option.name;
    if (option.value) left += std::string(" ") + option.value;
    left.resize(std::max<size_t>(left.size() + 1, 25), ' ');
    usage += left + option.help + "\n";
  }
  return usage;
}

RunOptionsResult ParseRunOptions(int argc, const char* const* argv, RunDescription* run,
                                 std::string* error) {
  for (int i = 1; i < argc; ++i) {
    const std::string name = argv[i];
    if (name == "-h") return RunOptionsResult::kHelp;
    const OptionSpec* option = FindOption(name);
    if (!option) {
      *error = "unknown option " + Quoted(name);
      return RunOptionsResult::kError;
    }
    if (!option->apply) {
      return name == "--version" ? RunOptionsResult::kVersion : RunOptionsResult::kHelp;
    }
    if (option->value && i + 1 >= argc) {
      *error = name + " needs a value";
      return RunOptionsResult::kError;
    }
    const std::string value = option->value ? argv[++i] : "";
    const bool path = TakesPath(*option) && !value.empty();
    if (!option->apply(path ? FromStartFolder(value) : value, run)) {
      *error = "bad value " + Quoted(value) + " for " + name;
      return RunOptionsResult::kError;
    }
  }
  return CheckCombination(*run, error) ? RunOptionsResult::kRun : RunOptionsResult::kError;
}
