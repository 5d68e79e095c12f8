#pragma once
// Game controllers as the keyboard and mouse the program knows: the d-pad or the left stick steps
// as the arrow keys, repeating while held; the right stick turns and tilts as the mouse does;
// A or Start is the show's key; Back opens and closes the console as the grave accent does.
#include <SDL2/SDL_events.h>
#include <SDL2/SDL_gamecontroller.h>

#include <array>
#include <cstdint>
#include <map>
#include <memory>

#include "platform/window/input_sink.h"

class GamepadInput {
 public:
  // Pads plugged in are opened and pads pulled out closed, letting go of what they held; their
  // buttons become key presses.
  void HandleEvent(const SDL_Event& event, const InputSink& sink);
  // Once a pump: the held directions' steps and the right stick's moves that are due by now.
  void Update(uint32_t nowMs, const InputSink& sink);
  // Before the controller subsystem goes.
  void CloseAll();

 private:
  enum Direction { kLeft, kRight, kUp, kDown, kDirections };
  struct Held {
    bool down = false;
    uint32_t nextStepMs = 0;
  };
  struct Closer {
    void operator()(SDL_GameController* pad) const { SDL_GameControllerClose(pad); }
  };

  void HandleButton(const SDL_ControllerButtonEvent& event, const InputSink& sink);
  std::array<bool, kDirections> PressedDirections() const;
  // The strongest deflection of an axis over the open pads, in [-1, 1], zero within the dead zone.
  float Deflection(SDL_GameControllerAxis axis) const;
  void StepHeldDirections(uint32_t nowMs, const InputSink& sink);
  void Look(uint32_t elapsedMs, const InputSink& sink);

  std::map<SDL_JoystickID, std::unique_ptr<SDL_GameController, Closer>> pads_;
  std::array<Held, kDirections> held_{};
  std::array<float, 2> lookCarry_{};  // the right stick's part-steps, across and down
  uint32_t lastUpdateMs_ = 0;
};
