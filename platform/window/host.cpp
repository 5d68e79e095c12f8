// The host controls: starting the window system from the run's description, resources. The
// clock's controls live with the clock, in millisecond_clock.cpp.
#include "platform/host.h"

#include <SDL2/SDL.h>

#include <cstdlib>
#include <string>

#include "platform/window/window_system.h"

namespace {

using window::System;
using window::WindowSystem;

bool DisplayIsConfigured() {
#ifdef __EMSCRIPTEN__
  return true;  // the page's canvas
#else
  return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY") || std::getenv("SDL_VIDEODRIVER");
#endif
}

}  // namespace

namespace host {

bool Start(RunDescription run, std::string* error) {
  WindowSystem& sys = System();
  if (sys.started) return true;
  if (run.headless) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    setenv("SDL_AUDIODRIVER", "dummy", 0);
  } else if (!DisplayIsConfigured()) {
    *error = "no display found (DISPLAY and WAYLAND_DISPLAY are unset); run with --headless";
    return false;
  }
  // Touches come as fingers only, which stand in for keys and the mouse themselves.
  SDL_SetHint(SDL_HINT_TOUCH_MOUSE_EVENTS, "0");
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    *error = std::string("cannot open the display: ") + SDL_GetError() +
             (run.headless ? "" : "; run with --headless to render without a window");
    return false;
  }
  // A machine without pads, or without the means to find them, runs without them.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
  const char* driver = SDL_GetCurrentVideoDriver();
  std::string name = driver ? driver : "";
  if (!run.headless && (name == "offscreen" || name == "dummy")) {
    SDL_Quit();
    *error = "no display found; run with --headless";
    return false;
  }
  if (run.fixedStepMs > 0) UseVirtualClock(run.fixedStepMs);
  // Scripted and recorded input count from here, the program's time zero.
  sys.inputOriginMs = ProgramClock().Now();
  if (!run.recordInputFile.empty() && !sys.recorder.Open(run.recordInputFile.c_str(), error)) {
    SDL_Quit();
    UseRealClock();
    return false;
  }
  sys.started = true;
  sys.run = std::move(run);
  return true;
}

void Stop() {
  WindowSystem& sys = System();
  if (sys.cursor) SDL_FreeCursor(sys.cursor);
  sys.cursor = nullptr;
  if (sys.window) SDL_DestroyWindow(sys.window->sdl);
  sys.window.reset();
  sys.classRegistered = false;
  sys.queue.Clear();
  sys.recorder = InputRecorder();  // the recording ends with the window system
  sys.pads.CloseAll();
  sys.touches = TouchInput();
  sys.pointerX = sys.pointerY = 0x8000;
  if (sys.started) {
    SDL_Quit();
    UseRealClock();
  }
  sys.started = false;
  sys.run = RunDescription();
}

const RunDescription& Run() {
  return System().run;
}

void RegisterResource(int id, ResourceImage image) {
  WindowSystem& sys = System();
  sys.icons.erase(id);
  sys.cursors.erase(id);
  sys.resources[id] = std::move(image);
}

}  // namespace host
