#pragma once
// The one window and what the rest of the platform layer needs of it.
#include <SDL2/SDL_video.h>

#include "platform/win32.h"

namespace window {

// The SDL window behind a handle from CreateWindowExA; null for anything else.
SDL_Window* SdlWindow(HWND handle);
// The window's client size in pixels.
bool ClientSize(HWND handle, int* width, int* height);

}  // namespace window
