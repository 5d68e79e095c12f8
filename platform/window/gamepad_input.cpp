#include "platform/window/gamepad_input.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// A held direction steps as often as a keyboard's auto-repeat, from the first moment it is held;
// the right stick at full tilt moves the mouse a pixel per axis as often.
constexpr uint32_t kStepMs = 40;
// Longer gaps between pumps (a stall, the first pump) move the view no further than this.
constexpr uint32_t kMaxElapsedMs = 100;
constexpr int kDeadZone = 8000;  // of 32767: a stick at rest is rarely at zero
constexpr WPARAM kArrowKeys[] = {VK_LEFT, VK_RIGHT, VK_UP, VK_DOWN};

}  // namespace

void GamepadInput::HandleEvent(const SDL_Event& event, const InputSink& sink) {
  switch (event.type) {
    case SDL_CONTROLLERDEVICEADDED:
      if (SDL_GameController* pad = SDL_GameControllerOpen(event.cdevice.which)) {
        pads_[SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(pad))].reset(pad);
      }
      return;
    case SDL_CONTROLLERDEVICEREMOVED:
      pads_.erase(event.cdevice.which);
      return;
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      HandleButton(event.cbutton, sink);
      return;
    default:
      return;
  }
}

void GamepadInput::HandleButton(const SDL_ControllerButtonEvent& event, const InputSink& sink) {
  const bool down = event.state == SDL_PRESSED;
  switch (event.button) {
    case SDL_CONTROLLER_BUTTON_A:
    case SDL_CONTROLLER_BUTTON_START:
      sink.post(down ? WM_KEYDOWN : WM_KEYUP, VK_SPACE, KeyFlags(down, !down));
      return;
    case SDL_CONTROLLER_BUTTON_BACK:
      sink.post(down ? WM_KEYDOWN : WM_KEYUP, VK_OEM_3, KeyFlags(down, !down));
      if (down) sink.post(WM_CHAR, '`', 1);
      return;
    default:
      return;
  }
}

void GamepadInput::Update(uint32_t nowMs, const InputSink& sink) {
  const uint32_t elapsedMs = std::min(nowMs - lastUpdateMs_, kMaxElapsedMs);
  lastUpdateMs_ = nowMs;
  StepHeldDirections(nowMs, sink);
  Look(elapsedMs, sink);
}

void GamepadInput::CloseAll() {
  pads_.clear();
  held_ = {};
  lookCarry_ = {};
}

std::array<bool, GamepadInput::kDirections> GamepadInput::PressedDirections() const {
  std::array<bool, kDirections> pressed{};
  for (const auto& entry : pads_) {
    SDL_GameController* pad = entry.second.get();
    auto button = [pad](SDL_GameControllerButton b) {
      return SDL_GameControllerGetButton(pad, b) != 0;
    };
    pressed[kLeft] |= button(SDL_CONTROLLER_BUTTON_DPAD_LEFT);
    pressed[kRight] |= button(SDL_CONTROLLER_BUTTON_DPAD_RIGHT);
    pressed[kUp] |= button(SDL_CONTROLLER_BUTTON_DPAD_UP);
    pressed[kDown] |= button(SDL_CONTROLLER_BUTTON_DPAD_DOWN);
  }
  const float across = Deflection(SDL_CONTROLLER_AXIS_LEFTX);
  const float down = Deflection(SDL_CONTROLLER_AXIS_LEFTY);  // a stick pushed up reads negative
  pressed[kLeft] |= across < 0;
  pressed[kRight] |= across > 0;
  pressed[kUp] |= down < 0;
  pressed[kDown] |= down > 0;
  return pressed;
}

float GamepadInput::Deflection(SDL_GameControllerAxis axis) const {
  int strongest = 0;
  for (const auto& [id, pad] : pads_) {
    const int value = SDL_GameControllerGetAxis(pad.get(), axis);
    if (std::abs(value) > std::abs(strongest)) strongest = value;
  }
  if (std::abs(strongest) <= kDeadZone) return 0;
  return std::clamp(strongest / 32767.0f, -1.0f, 1.0f);
}

void GamepadInput::StepHeldDirections(uint32_t nowMs, const InputSink& sink) {
  const std::array<bool, kDirections> pressed = PressedDirections();
  for (int d = 0; d < kDirections; ++d) {
    Held& held = held_[d];
    if (pressed[d] && (!held.down || int32_t(nowMs - held.nextStepMs) >= 0)) {
      sink.post(WM_KEYDOWN, kArrowKeys[d], KeyFlags(true, held.down));
      held = {true, nowMs + kStepMs};
    } else if (!pressed[d] && held.down) {
      sink.post(WM_KEYUP, kArrowKeys[d], KeyFlags(false, true));
      held.down = false;
    }
  }
}

// The program turns a fixed step for each mouse message that moves, so the stick's tilt sets how
// often a one-pixel move comes.
void GamepadInput::Look(uint32_t elapsedMs, const InputSink& sink) {
  const SDL_GameControllerAxis axes[] = {SDL_CONTROLLER_AXIS_RIGHTX, SDL_CONTROLLER_AXIS_RIGHTY};
  std::array<int, 2> steps{};
  for (int i = 0; i < 2; ++i) {
    const float tilt = Deflection(axes[i]);
    lookCarry_[i] = tilt == 0 ? 0 : lookCarry_[i] + tilt * float(elapsedMs) / kStepMs;
    steps[i] = static_cast<int>(std::trunc(lookCarry_[i]));
    lookCarry_[i] -= float(steps[i]);
  }
  const int moves = std::max(std::abs(steps[0]), std::abs(steps[1]));
  for (int m = 0; m < moves; ++m) {
    auto stepOf = [m](int total) { return m < std::abs(total) ? (total > 0) - (total < 0) : 0; };
    sink.movePointer(stepOf(steps[0]), stepOf(steps[1]));
  }
}
