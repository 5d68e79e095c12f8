#pragma once
// Watches the main loop for the run's description: ends the run after its frames or seconds,
// captures frames to PNG files or a video file and collects frame-time statistics.
#include <chrono>
#include <cstdint>
#include <ctime>

#include "app/frame_statistics.h"
#include "app/video_recording.h"

class RunMonitor {
 public:
  // Creates the video file when one is asked for; before the start-up. False with a message
  // naming the option, the file and the reason.
  bool StartVideo(std::string* error);
  // Completes the video file after the main loop; false when it can't be written.
  bool FinishVideo();

  void LoopStarted();
  // After every frame, once it has been presented.
  void FrameDone();
  // Prints the benchmark summary when one was asked for; false if its JSON file can't be
  // written.
  bool Report() const;

 private:
  bool CaptureDue(double demoSeconds);
  void Capture(double demoSeconds);
  void Record();
  // The presented frame's picture, read from the device once however many want it. False with
  // the reason when it can't be read.
  bool ReadPicture(std::string* error);

  uint64_t frameNumber_ = 0;
  size_t nextCaptureAt_ = 0;
  BackBufferImage picture_;
  uint64_t pictureOfFrame_ = 0;
  VideoRecording video_;
  FrameStatistics statistics_;
  std::chrono::steady_clock::time_point loopStart_;
  std::chrono::steady_clock::time_point lastFrameEnd_;
  std::clock_t cpuStart_ = 0;
  std::clock_t cpuEnd_ = 0;
};

// The monitor of this run; null when the main loop runs unwatched (tests).
extern RunMonitor* g_runMonitor;
