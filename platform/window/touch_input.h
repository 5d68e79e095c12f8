#pragma once
// Touches as the program's keyboard and mouse: a tap is the show's key, and a one-finger drag
// turns and tilts as the mouse does. A second finger is ignored while the first is down.
#include <SDL2/SDL_events.h>

#include <cstdint>

#include "platform/window/input_sink.h"

class TouchInput {
 public:
  // width, height: the window's size, which a finger's coordinates (0 to 1) span.
  void HandleEvent(const SDL_Event& event, int width, int height, const InputSink& sink);

 private:
  void Drag(const SDL_TouchFingerEvent& finger, int width, int height, const InputSink& sink);

  bool down_ = false;
  SDL_FingerID finger_ = 0;
  uint32_t downMs_ = 0;
  float travelled_ = 0;            // in window pixels, however it wandered
  float carryX_ = 0, carryY_ = 0;  // what the drag has moved short of a whole pixel
};
