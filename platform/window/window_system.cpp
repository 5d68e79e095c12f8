// Win32-style windows, messages and message boxes on SDL2.
#include "platform/window/window_system.h"

#include <SDL2/SDL.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>

#include "platform/host.h"
#include "platform/window/input_script.h"
#include "platform/window/input_sink.h"
#include "platform/window/key_map.h"
#include "platform/window/message_queue.h"
#include "platform/window/millisecond_clock.h"

namespace {

using window::System;
using window::WindowSystem;

constexpr int kDefaultClientWidth = 800;
constexpr int kDefaultClientHeight = 600;

// A stand-in handle for the stock brush: nothing is painted with it.
HGDIOBJ__* StockBrush() {
  static char brush;
  return reinterpret_cast<HGDIOBJ__*>(&brush);
}

int ResourceId(LPCSTR name) {
  auto value = reinterpret_cast<uintptr_t>(name);
  return value < 0x10000 ? static_cast<int>(value) : -1;
}

SDL_Surface* SurfaceOf(const host::ResourceImage& image) {
  return SDL_CreateRGBSurfaceWithFormatFrom(const_cast<uint32_t*>(image.argb.data()), image.width,
                                            image.height, 32, image.width * 4,
                                            SDL_PIXELFORMAT_ARGB8888);
}

void ApplyClassIcon(const WNDCLASSA& windowClass, SDL_Window* sdl) {
  if (!windowClass.hIcon) return;
  if (SDL_Surface* surface = SurfaceOf(windowClass.hIcon->image)) {
    SDL_SetWindowIcon(sdl, surface);
    SDL_FreeSurface(surface);
  }
}

void ApplyClassCursor(const WNDCLASSA& windowClass) {
  WindowSystem& sys = System();
  if (!windowClass.hCursor || sys.cursor) return;
  const host::ResourceImage& image = windowClass.hCursor->image;
  if (SDL_Surface* surface = SurfaceOf(image)) {
    sys.cursor = SDL_CreateColorCursor(surface, image.hotX, image.hotY);
    if (sys.cursor) SDL_SetCursor(sys.cursor);
    SDL_FreeSurface(surface);
  }
}

void Post(UINT message, WPARAM wParam, LPARAM lParam) {
  WindowSystem& sys = System();
  MSG msg{};
  msg.hwnd = sys.window.get();
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  msg.time = ProgramClock().Now();
  sys.queue.Post(msg);
}

// Input from the user, as opposed to a script: recorded when a recording is on.
void PostLive(UINT message, WPARAM wParam, LPARAM lParam) {
  WindowSystem& sys = System();
  sys.recorder.Record(ProgramClock().Now() - sys.inputOriginMs, message, wParam, lParam);
  Post(message, wParam, lParam);
}

// Typed text as single-byte characters: ASCII passes, anything else becomes '?'.
void PostText(const char* utf8) {
  for (const unsigned char* p = reinterpret_cast<const unsigned char*>(utf8); *p; ++p) {
    if (*p < 0x80) {
      PostLive(WM_CHAR, *p, 1);
    } else if ((*p & 0xC0) != 0x80) {
      PostLive(WM_CHAR, '?', 1);
    }
  }
}

// Alt+Enter and F11 belong to the window: they switch it between full screen at the desktop's
// resolution and the window it was, and go no further.
bool IsFullScreenKey(const SDL_Keysym& key) {
  const bool enter = key.sym == SDLK_RETURN || key.sym == SDLK_KP_ENTER;
  return key.sym == SDLK_F11 || (enter && (key.mod & KMOD_ALT));
}

void ToggleFullScreen() {
  WindowSystem& sys = System();
  if (!sys.window) return;
  const bool full = SDL_GetWindowFlags(sys.window->sdl) & SDL_WINDOW_FULLSCREEN;
  SDL_SetWindowFullscreen(sys.window->sdl, full ? 0 : SDL_WINDOW_FULLSCREEN_DESKTOP);
}

// Alt, and a key pressed while it is held, are system keys as on Windows: not the program's.
bool IsSystemKey(const SDL_Keysym& key) {
  const bool alt = key.sym == SDLK_LALT || key.sym == SDLK_RALT || (key.mod & KMOD_ALT);
  return alt && !(key.mod & KMOD_CTRL);
}

void PostKey(const SDL_KeyboardEvent& event) {
  WindowSystem& sys = System();
  const bool down = event.type == SDL_KEYDOWN;
  if (down ? IsFullScreenKey(event.keysym) : event.keysym.sym == sys.windowKey) {
    if (down && !event.repeat) ToggleFullScreen();
    sys.windowKey = down ? event.keysym.sym : SDLK_UNKNOWN;
    return;
  }
  WPARAM key = VirtualKeyFromSdl(event.keysym.sym);
  if (key == 0) return;
  const LPARAM flags = KeyFlags(down, !down || event.repeat);
  if (IsSystemKey(event.keysym)) {
    PostLive(down ? WM_SYSKEYDOWN : WM_SYSKEYUP, key, flags);
  } else {
    PostLive(down ? WM_KEYDOWN : WM_KEYUP, key, flags);
  }
}

void MovePointer(int dx, int dy) {
  WindowSystem& sys = System();
  sys.pointerX += dx;
  sys.pointerY += dy;
  PostLive(WM_MOUSEMOVE, 0,
           MAKELPARAM(static_cast<WORD>(sys.pointerX), static_cast<WORD>(sys.pointerY)));
}

constexpr InputSink kLiveInput = {PostLive, MovePointer};

void PostTouch(const SDL_Event& event) {
  WindowSystem& sys = System();
  int width = 0, height = 0;
  if (sys.window) SDL_GetWindowSize(sys.window->sdl, &width, &height);
  sys.touches.HandleEvent(event, width, height, kLiveInput);
}

void PostSdlEvent(const SDL_Event& event) {
  switch (event.type) {
    case SDL_KEYDOWN:
    case SDL_KEYUP:
      PostKey(event.key);
      return;
    case SDL_TEXTINPUT:
      PostText(event.text.text);
      return;
    case SDL_MOUSEMOTION:
      PostLive(WM_MOUSEMOVE, 0,
               MAKELPARAM(static_cast<WORD>(event.motion.x), static_cast<WORD>(event.motion.y)));
      return;
    case SDL_FINGERDOWN:
    case SDL_FINGERMOTION:
    case SDL_FINGERUP:
      PostTouch(event);
      return;
    case SDL_CONTROLLERDEVICEADDED:
    case SDL_CONTROLLERDEVICEREMOVED:
    case SDL_CONTROLLERBUTTONDOWN:
    case SDL_CONTROLLERBUTTONUP:
      System().pads.HandleEvent(event, kLiveInput);
      return;
    case SDL_QUIT:
      PostLive(WM_DESTROY, 0, 0);
      return;
    default:
      return;
  }
}

void PumpInput() {
  WindowSystem& sys = System();
  std::vector<ScriptedMessage> due;
  sys.run.script.TakeDue(ProgramClock().Now() - sys.inputOriginMs, &due);
  for (const ScriptedMessage& m : due) Post(m.message, m.wParam, m.lParam);
  if (!sys.started) return;
  SDL_Event event;
  while (SDL_PollEvent(&event)) PostSdlEvent(event);
  sys.pads.Update(ProgramClock().Now(), kLiveInput);
}

}  // namespace

namespace window {

WindowSystem& System() {
  static WindowSystem system;
  return system;
}

SDL_Window* SdlWindow(HWND handle) {
  WindowSystem& sys = System();
  return handle && handle == sys.window.get() ? handle->sdl : nullptr;
}

bool ClientSize(HWND handle, int* width, int* height) {
  SDL_Window* sdl = SdlWindow(handle);
  if (!sdl) return false;
  SDL_GetWindowSize(sdl, width, height);
  return true;
}

}  // namespace window

ATOM RegisterClassA(const WNDCLASSA* windowClass) {
  WindowSystem& sys = System();
  if (!sys.started || !windowClass || !windowClass->lpfnWndProc || !windowClass->lpszClassName ||
      sys.classRegistered) {
    return 0;
  }
  sys.windowClass = *windowClass;
  sys.className = windowClass->lpszClassName;
  sys.windowClass.lpszClassName = sys.className.c_str();
  sys.classRegistered = true;
  return 1;
}

HWND CreateWindowExA(DWORD /*exStyle*/, LPCSTR className, LPCSTR windowName, DWORD style, int x,
                     int y, int width, int height, HWND /*parent*/, HMENU /*menu*/,
                     HINSTANCE /*instance*/, void* /*param*/) {
  WindowSystem& sys = System();
  if (!sys.classRegistered || !className || sys.className != className || sys.window) {
    return nullptr;
  }
  // The requested size is taken as the client area.
  if (width == CW_USEDEFAULT || height == CW_USEDEFAULT) {
    width = kDefaultClientWidth;
    height = kDefaultClientHeight;
  }
  if (x == CW_USEDEFAULT || y == CW_USEDEFAULT) x = y = SDL_WINDOWPOS_UNDEFINED;

#ifdef __EMSCRIPTEN__
  // WebGL 2: OpenGL ES 3.0, the subset the backend keeps to.
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_ES);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 0);
#else
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_CORE);
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
#endif
  SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
  SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
  SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);

  // Drawn at the display's own pixels, however many a window's point holds.
  Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN | SDL_WINDOW_ALLOW_HIGHDPI;
  if (style & WS_THICKFRAME) flags |= SDL_WINDOW_RESIZABLE;
  SDL_Window* sdl = SDL_CreateWindow(windowName ? windowName : "", x, y, width, height, flags);
  if (!sdl) {
    std::fprintf(stderr, "cannot create the window: %s\n", SDL_GetError());
    return nullptr;
  }
  sys.window = std::make_unique<HWND__>();
  sys.window->sdl = sdl;
  sys.window->proc = sys.windowClass.lpfnWndProc;
  ApplyClassIcon(sys.windowClass, sdl);
  ApplyClassCursor(sys.windowClass);
  SDL_StartTextInput();
  return sys.window.get();
}

BOOL ShowWindow(HWND handle, int cmdShow) {
  SDL_Window* sdl = window::SdlWindow(handle);
  if (!sdl) return FALSE;
  BOOL wasVisible = (SDL_GetWindowFlags(sdl) & SDL_WINDOW_SHOWN) ? TRUE : FALSE;
  if (cmdShow == SW_HIDE) {
    SDL_HideWindow(sdl);
  } else {
    SDL_ShowWindow(sdl);
  }
  return wasVisible;
}

BOOL UpdateWindow(HWND handle) {
  return window::SdlWindow(handle) ? TRUE : FALSE;
}

HICON LoadIconA(HINSTANCE /*instance*/, LPCSTR name) {
  WindowSystem& sys = System();
  int id = ResourceId(name);
  auto resource = sys.resources.find(id);
  if (resource == sys.resources.end()) return nullptr;
  auto& icon = sys.icons[id];
  if (!icon) icon = std::make_unique<HICON__>(HICON__{resource->second});
  return icon.get();
}

HCURSOR LoadCursorA(HINSTANCE /*instance*/, LPCSTR name) {
  WindowSystem& sys = System();
  int id = ResourceId(name);
  auto resource = sys.resources.find(id);
  if (resource == sys.resources.end()) return nullptr;
  auto& cursor = sys.cursors[id];
  if (!cursor) cursor = std::make_unique<HCURSOR__>(HCURSOR__{resource->second});
  return cursor.get();
}

HGDIOBJ GetStockObject(int object) {
  return object == WHITE_BRUSH ? StockBrush() : nullptr;
}

BOOL PeekMessageA(MSG* msg, HWND /*window*/, UINT filterMin, UINT filterMax, UINT removeMsg) {
  if (!msg) return FALSE;
  PumpInput();
  return System().queue.Peek(msg, filterMin, filterMax, (removeMsg & PM_REMOVE) != 0) ? TRUE
                                                                                      : FALSE;
}

BOOL TranslateMessage(const MSG* msg) {
  if (!msg || msg->message != WM_KEYDOWN) return FALSE;
  WPARAM character = CharacterFromVirtualKey(msg->wParam);
  if (character == 0) return FALSE;
  MSG charMsg = *msg;
  charMsg.message = WM_CHAR;
  charMsg.wParam = character;
  System().queue.PostNext(charMsg);
  return TRUE;
}

LRESULT DispatchMessageA(const MSG* msg) {
  if (!msg || !msg->hwnd || msg->hwnd != System().window.get() || !msg->hwnd->proc) return 0;
  return msg->hwnd->proc(msg->hwnd, msg->message, msg->wParam, msg->lParam);
}

LRESULT DefWindowProcA(HWND /*window*/, UINT /*message*/, WPARAM /*wParam*/, LPARAM /*lParam*/) {
  return 0;
}

void PostQuitMessage(int exitCode) {
  System().queue.PostQuit(exitCode);
}

int MessageBoxA(HWND owner, LPCSTR text, LPCSTR caption, UINT /*type*/) {
  const char* safeText = text ? text : "";
  const char* safeCaption = caption ? caption : "";
  // Always on standard error, so a run without a screen still says what happened.
  std::fprintf(stderr, "%s: %s\n", safeCaption, safeText);
  WindowSystem& sys = System();
  if (sys.started && !sys.run.headless) {
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, safeCaption, safeText, window::SdlWindow(owner));
  }
  return 1;  // IDOK
}
