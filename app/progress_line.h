#pragma once
// Progress of a long run on standard error, on one line that updates in place: frames done of
// the total, time elapsed and the estimated time left.
#include <chrono>
#include <cstdint>
#include <string>

class ProgressLine {
 public:
  ProgressLine(std::string label, uint64_t total);
  // Redraws the line a few times a second, and always at the last frame.
  void Update(uint64_t done);
  // Ends the line, so that what is printed next starts on its own.
  void End();

 private:
  std::string label_;
  uint64_t total_;
  std::chrono::steady_clock::time_point start_;
  std::chrono::steady_clock::time_point lastDrawn_;
  bool drawn_ = false;
};
