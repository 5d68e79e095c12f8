#include "platform/run_description.h"

#include <algorithm>

bool RunDescription::IsOver(uint64_t frameNumber, uint64_t clockMs) const {
  return (frames > 0 && frameNumber >= frames) || (stopAtMs > 0 && clockMs >= stopAtMs);
}

uint64_t RunDescription::FramesOfRun() const {
  if (fixedStepMs == 0) return 0;
  if (stopAtMs == 0) return frames;
  // Frame n is presented at (n - 1) steps. The rule holds by the frame whose clock has passed the
  // time; the first frame it holds on is found by bisection.
  const uint64_t step = fixedStepMs;
  uint64_t low = 1, high = (stopAtMs + step - 1) / step + 1;
  if (frames > 0) high = std::min(high, frames);
  while (low < high) {
    const uint64_t middle = low + (high - low) / 2;
    if (IsOver(middle, (middle - 1) * step)) {
      high = middle;
    } else {
      low = middle + 1;
    }
  }
  return low;
}
