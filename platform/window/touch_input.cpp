#include "platform/window/touch_input.h"

#include <cmath>

namespace {

// A touch this short that stays this close is a tap; anything else is a drag, which moves the
// mouse only once it is clearly no tap, so a tap never turns the view.
constexpr uint32_t kTapMs = 300;
constexpr float kTapTravel = 12;

}  // namespace

void TouchInput::HandleEvent(const SDL_Event& event, int width, int height, const InputSink& sink) {
  const SDL_TouchFingerEvent& finger = event.tfinger;
  switch (event.type) {
    case SDL_FINGERDOWN:
      if (down_) return;
      down_ = true;
      finger_ = finger.fingerId;
      downMs_ = finger.timestamp;
      travelled_ = carryX_ = carryY_ = 0;
      return;
    case SDL_FINGERMOTION:
      if (down_ && finger.fingerId == finger_) Drag(finger, width, height, sink);
      return;
    case SDL_FINGERUP:
      if (!down_ || finger.fingerId != finger_) return;
      down_ = false;
      if (finger.timestamp - downMs_ <= kTapMs && travelled_ <= kTapTravel) {
        PressKey(sink, VK_SPACE);
      }
      return;
    default:
      return;
  }
}

void TouchInput::Drag(const SDL_TouchFingerEvent& finger, int width, int height,
                      const InputSink& sink) {
  const float dx = finger.dx * float(width);
  const float dy = finger.dy * float(height);
  travelled_ += std::hypot(dx, dy);
  if (travelled_ <= kTapTravel) return;
  carryX_ += dx;
  carryY_ += dy;
  const int wholeX = static_cast<int>(std::trunc(carryX_));
  const int wholeY = static_cast<int>(std::trunc(carryY_));
  carryX_ -= float(wholeX);
  carryY_ -= float(wholeY);
  if (wholeX != 0 || wholeY != 0) sink.movePointer(wholeX, wholeY);
}
