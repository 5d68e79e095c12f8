#include "services/frame_timer.h"

#include "platform/win32.h"

FrameTimer::FrameTimer()
    : frameMs(1), frameSeconds(0.0f), totalSeconds(0.0f), lastTime(timeGetTime()), totalMs(0) {}

uint32_t FrameTimer::Update() {
  uint32_t now = timeGetTime();
  uint32_t diff = now - lastTime;  // unsigned: right across a wrap of the counter
  lastTime = now;
  frameMs = diff;
  frameSeconds = static_cast<float>(diff) * 0.001f;
  if (diff == 0) frameMs = 1;
  totalMs += diff;
  totalSeconds = static_cast<float>(static_cast<double>(totalMs) / 1000.0);
  return diff;
}
