#pragma once
// Where input that is neither a key nor the mouse goes: the window system's queue, as the
// messages a keyboard and a mouse would give.
#include "platform/win32.h"

struct InputSink {
  void (*post)(UINT message, WPARAM wParam, LPARAM lParam);
  // Moves the mouse by whole pixels from where the program last saw it.
  void (*movePointer)(int dx, int dy);
};

// A key message's flags: repeat count 1; bit 30 "was down", bit 31 "being released".
inline LPARAM KeyFlags(bool down, bool wasDown) {
  LPARAM flags = 1;
  if (wasDown) flags |= LPARAM(1) << 30;
  if (!down) flags |= LPARAM(1) << 31;
  return flags;
}

// A whole key press: down and up at once.
inline void PressKey(const InputSink& sink, WPARAM key) {
  sink.post(WM_KEYDOWN, key, KeyFlags(true, false));
  sink.post(WM_KEYUP, key, KeyFlags(false, true));
}
