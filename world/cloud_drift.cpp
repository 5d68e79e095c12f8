#include "world/cloud_drift.h"

namespace {

constexpr float kTurningOffset = 0.15f;
constexpr float kStepPerFrame = 0.0001f;

}  // namespace

float CloudDrift::Step() {
  if (offset_ > kTurningOffset || offset_ < -kTurningOffset) direction_ ^= 1;
  offset_ += direction_ == 1 ? kStepPerFrame : -kStepPerFrame;
  return offset_;
}
