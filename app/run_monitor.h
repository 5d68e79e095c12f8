#pragma once
// Watches the main loop for the run options: ends the run after its frames or seconds,
// captures frames to PNG files and collects frame-time statistics.
#include <chrono>
#include <cstdint>
#include <ctime>

#include "app/frame_statistics.h"
#include "app/run_options.h"

class RunMonitor {
 public:
  explicit RunMonitor(const RunOptions& options);

  void LoopStarted();
  // After every frame, once it has been presented.
  void FrameDone();
  // Prints the benchmark summary when one was asked for; false if its JSON file can't be
  // written.
  bool Report() const;

 private:
  bool CaptureDue(double demoSeconds);
  void Capture(double demoSeconds);

  RunOptions options_;
  uint64_t frameNumber_ = 0;
  size_t nextCaptureAt_ = 0;
  FrameStatistics statistics_;
  std::chrono::steady_clock::time_point loopStart_;
  std::chrono::steady_clock::time_point lastFrameEnd_;
  std::clock_t cpuStart_ = 0;
  std::clock_t cpuEnd_ = 0;
};

// The monitor of this run; null when the main loop runs unwatched (tests).
extern RunMonitor* g_runMonitor;
