#pragma once
// How this run goes, as one value: filled once from the command line, the configuration file and
// the folders found, with every default written here, then handed to the platform as it starts
// (host::Start). The platform picks its clock, its input and its sound output from it once; the
// layers above read what they need through host::Run(). Nothing else keeps a copy of any of it.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/window/input_script.h"

struct RunDescription {
  // The window: none at all when headless (an offscreen display, and audio on a dummy device).
  bool headless = false;
  // The picture's size in pixels where it is fixed, in a headless run or a video (a window draws
  // at its own size; 0 x 0: the program's back buffer's), and the samples of each pixel's
  // multisampling (0: none), as the driver allows. The program places everything in its own
  // coordinates, which the device maps onto it.
  uint32_t drawnWidth = 0;
  uint32_t drawnHeight = 0;
  uint32_t msaaSamples = 4;
  static constexpr uint32_t kMinDrawnWidth = 64, kMinDrawnHeight = 48, kMaxDrawnSide = 8192;
  // The clock: 0 is the real one; otherwise a virtual clock that starts at 0 and moves this many
  // milliseconds at every presented frame.
  uint32_t fixedStepMs = 0;
  // Input: live, with the script's events delivered as they fall due (read from inputFile), and
  // the live input also written to recordInputFile as a script.
  std::string inputFile;
  InputScript script;
  std::string recordInputFile;

  // The run's length, by IsOver: a number of frames, or a time of the demo clock to the
  // millisecond; 0 is no limit.
  uint64_t frames = 0;
  uint64_t stopAtMs = 0;
  // What the run writes: pictures of frames (at demo-clock seconds, ascending, or every Nth
  // frame), frame-time statistics (counted from a demo-clock second), a video file.
  std::string captureDir;
  std::vector<double> captureAt;
  uint32_t captureEvery = 0;
  bool benchmark = false;
  std::string benchmarkJson;
  double benchmarkFrom = 0.0;
  std::string videoFile;

  // Where the configuration is read and the console logs: the data folder's own files unless
  // the program runs from an installed one. An empty log file: the console is not logged.
  static constexpr const char* kConfigName = "config.ini";
  static constexpr const char* kLogName = "conout.log";
  std::string configFile = kConfigName;
  std::string logFile = kLogName;
  // What the configuration chooses: a window at the client area's size or a full-screen mode,
  // the ocean's detail (1 low, 2 med, 3 high) and the frame-rate display.
  int displayWidth = 800;
  int displayHeight = 600;
  bool windowed = true;
  int waterDetail = 3;
  bool showFps = false;

  // A video's sound is mixed again offline, in step with the program's clock.
  bool MixesOffline() const { return !videoFile.empty(); }
  // A headless run and a video draw at drawnWidth x drawnHeight; a window at its drawable size.
  bool DrawsAtFixedSize() const { return headless || !videoFile.empty(); }
  // The one rule of a run's length: over after the frame of that number (from 1), presented at
  // that reading of the demo clock, when it is the last frame asked for or the clock has reached
  // the time asked for.
  bool IsOver(uint64_t frameNumber, uint64_t clockMs) const;
  // The frames a run makes by that rule on the virtual clock; 0 when it has no set length.
  uint64_t FramesOfRun() const;
};
