#pragma once
// SDL key codes to the virtual-key codes of window messages.
#include <SDL2/SDL_keycode.h>

#include "platform/win32.h"

// 0 when the key has no virtual-key code.
WPARAM VirtualKeyFromSdl(SDL_Keycode key);
// The character TranslateMessage makes from a key press, or 0: Enter, Backspace, Tab and
// Escape. Printable characters come from text input instead.
WPARAM CharacterFromVirtualKey(WPARAM key);
