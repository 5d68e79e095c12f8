// The host controls: starting the window system, scripted input, resources. The clock's
// controls live with the clock, in millisecond_clock.cpp.
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

bool Start(bool headless, std::string* error) {
  WindowSystem& sys = System();
  if (sys.started) return true;
  if (headless) {
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    setenv("SDL_AUDIODRIVER", "dummy", 0);
  } else if (!DisplayIsConfigured()) {
    *error = "no display found (DISPLAY and WAYLAND_DISPLAY are unset); run with --headless";
    return false;
  }
  if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
    *error = std::string("cannot open the display: ") + SDL_GetError() +
             (headless ? "" : "; run with --headless to render without a window");
    return false;
  }
  const char* driver = SDL_GetCurrentVideoDriver();
  std::string name = driver ? driver : "";
  if (!headless && (name == "offscreen" || name == "dummy")) {
    SDL_Quit();
    *error = "no display found; run with --headless";
    return false;
  }
  sys.started = true;
  sys.headless = headless;
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
  if (sys.started) SDL_Quit();
  sys.started = false;
}

bool IsHeadless() {
  return System().headless;
}

void SetInputScript(const InputScript& script) {
  WindowSystem& sys = System();
  sys.script = script;
  sys.scriptOriginMs = ProgramClock().Now();
}

bool RecordInput(const char* path, std::string* error) {
  WindowSystem& sys = System();
  sys.recordingOriginMs = ProgramClock().Now();
  return sys.recorder.Open(path, error);
}

void RegisterResource(int id, ResourceImage image) {
  WindowSystem& sys = System();
  sys.icons.erase(id);
  sys.cursors.erase(id);
  sys.resources[id] = std::move(image);
}

}  // namespace host
