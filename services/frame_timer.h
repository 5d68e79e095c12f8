#pragma once
// The one frame clock: how long the last frame took and the demo's running time.
#include <cstdint>

class FrameTimer {
 public:
  FrameTimer();
  // Measures the frame since the last update; returns the raw difference in milliseconds,
  // which may be 0.
  uint32_t Update();

  uint32_t frameMs;    // never 0: a frame measured as 0 ms counts as 1
  float frameSeconds;  // 0.0 when the measured difference was 0
  // The demo's clock, from totalMs: a sum of float seconds would drift ahead by a frame in a few
  // minutes and stop moving after some days.
  float totalSeconds;
  uint32_t lastTime;
  uint64_t totalMs;  // every measured difference added up
};
