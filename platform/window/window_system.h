#pragma once
// The one window and the state behind the Win32-style calls and the host controls, shared by
// their two implementations (window_system.cpp and host.cpp).
#include <SDL2/SDL_keycode.h>
#include <SDL2/SDL_mouse.h>
#include <SDL2/SDL_video.h>

#include <map>
#include <memory>
#include <string>

#include "platform/host.h"
#include "platform/win32.h"
#include "platform/window/gamepad_input.h"
#include "platform/window/input_recorder.h"
#include "platform/window/message_queue.h"
#include "platform/window/millisecond_clock.h"
#include "platform/window/touch_input.h"

struct HWND__ {
  SDL_Window* sdl = nullptr;
  WNDPROC proc = nullptr;
};
struct HICON__ {
  host::ResourceImage image;
};
struct HCURSOR__ {
  host::ResourceImage image;
};

namespace window {

// Everything the window system keeps: the run's description (whose input script it delivers),
// one window, its class, the message queue, the recording, the resource pictures and the pads
// and touches that stand in for keys and the mouse.
struct WindowSystem {
  bool started = false;
  RunDescription run;
  MessageQueue queue;
  InputRecorder recorder;
  // The program's time zero for scripted and recorded input.
  uint32_t inputOriginMs = 0;
  std::map<int, host::ResourceImage> resources;
  std::map<int, std::unique_ptr<HICON__>> icons;
  std::map<int, std::unique_ptr<HCURSOR__>> cursors;
  bool classRegistered = false;
  WNDCLASSA windowClass{};
  std::string className;
  std::unique_ptr<HWND__> window;
  SDL_Cursor* cursor = nullptr;
  // The full-screen key being held: its release is the window's too.
  SDL_Keycode windowKey = SDLK_UNKNOWN;
  GamepadInput pads;
  TouchInput touches;
  // Where pads and touches have moved the mouse: its own, mid-range, so that they turn the view
  // for thousands of steps each way before its 16 bits wrap.
  int pointerX = 0x8000;
  int pointerY = 0x8000;
};

WindowSystem& System();

// The SDL window behind a handle from CreateWindowExA; null for anything else.
SDL_Window* SdlWindow(HWND handle);
// The window's client size in pixels.
bool ClientSize(HWND handle, int* width, int* height);

}  // namespace window
