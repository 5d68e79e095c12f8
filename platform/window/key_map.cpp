#include "platform/window/key_map.h"

namespace {

struct KeyPair {
  SDL_Keycode sdl;
  WPARAM vk;
};

constexpr KeyPair kKeys[] = {
    {SDLK_BACKSPACE, VK_BACK},    {SDLK_TAB, VK_TAB},
    {SDLK_RETURN, VK_RETURN},     {SDLK_KP_ENTER, VK_RETURN},
    {SDLK_LSHIFT, VK_SHIFT},      {SDLK_RSHIFT, VK_SHIFT},
    {SDLK_LCTRL, VK_CONTROL},     {SDLK_RCTRL, VK_CONTROL},
    {SDLK_LALT, VK_MENU},         {SDLK_RALT, VK_MENU},
    {SDLK_PAUSE, VK_PAUSE},       {SDLK_CAPSLOCK, VK_CAPITAL},
    {SDLK_ESCAPE, VK_ESCAPE},     {SDLK_SPACE, VK_SPACE},
    {SDLK_PAGEUP, VK_PRIOR},      {SDLK_PAGEDOWN, VK_NEXT},
    {SDLK_END, VK_END},           {SDLK_HOME, VK_HOME},
    {SDLK_LEFT, VK_LEFT},         {SDLK_UP, VK_UP},
    {SDLK_RIGHT, VK_RIGHT},       {SDLK_DOWN, VK_DOWN},
    {SDLK_INSERT, VK_INSERT},     {SDLK_DELETE, VK_DELETE},
    {SDLK_SEMICOLON, VK_OEM_1},   {SDLK_EQUALS, VK_OEM_PLUS},
    {SDLK_COMMA, VK_OEM_COMMA},   {SDLK_MINUS, VK_OEM_MINUS},
    {SDLK_PERIOD, VK_OEM_PERIOD}, {SDLK_SLASH, VK_OEM_2},
    {SDLK_BACKQUOTE, VK_OEM_3},   {SDLK_LEFTBRACKET, VK_OEM_4},
    {SDLK_BACKSLASH, VK_OEM_5},   {SDLK_RIGHTBRACKET, VK_OEM_6},
    {SDLK_QUOTE, VK_OEM_7},
};

}  // namespace

WPARAM VirtualKeyFromSdl(SDL_Keycode key) {
  if (key >= SDLK_a && key <= SDLK_z) return 'A' + (key - SDLK_a);
  if (key >= SDLK_0 && key <= SDLK_9) return '0' + (key - SDLK_0);
  if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + (key - SDLK_F1);
  for (const KeyPair& pair : kKeys) {
    if (pair.sdl == key) return pair.vk;
  }
  return 0;
}

WPARAM CharacterFromVirtualKey(WPARAM key) {
  switch (key) {
    case VK_RETURN:
      return '\r';
    case VK_BACK:
      return '\b';
    case VK_TAB:
      return '\t';
    case VK_ESCAPE:
      return 27;
    default:
      return 0;
  }
}
