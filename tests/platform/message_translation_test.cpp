// SDL events in, window messages out, through the real window system on the offscreen display.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/host.h"
#include "platform/win32.h"
#include "platform/window/input_script.h"
#include "platform/window/key_map.h"
#include "test_folder.h"

namespace {

int g_dispatched = 0;

LRESULT CountingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  ++g_dispatched;
  return DefWindowProcA(hWnd, message, wParam, lParam);
}

// Each message's kind and wParam.
using Message = std::pair<UINT, WPARAM>;
std::vector<Message> Messages(const std::vector<MSG>& msgs) {
  std::vector<Message> kinds;
  for (const MSG& m : msgs) kinds.emplace_back(m.message, m.wParam);
  return kinds;
}

class MessageTranslation : public ::testing::Test {
 protected:
  void SetUp() override { Open(Headless()); }
  void TearDown() override { host::Stop(); }

  static RunDescription Headless() {
    RunDescription run;
    run.headless = true;
    return run;
  }

  // Starts the platform with the run's description and opens a window.
  void Open(RunDescription run) {
    host::Stop();
    std::string error;
    ASSERT_TRUE(host::Start(std::move(run), &error)) << error;
    WNDCLASSA wc{};
    wc.lpfnWndProc = CountingProc;
    wc.lpszClassName = "Test";
    ASSERT_NE(RegisterClassA(&wc), 0);
    window_ = CreateWindowExA(0, "Test", "Test", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    g_dispatched = 0;
    MSG stale;
    while (PeekMessageA(&stale, nullptr, 0, 0, PM_REMOVE)) {
    }
  }

  static void PushKey(Uint32 type, SDL_Keycode key, bool repeat = false, Uint16 mod = 0) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
    event.key.keysym.mod = mod;
    event.key.repeat = repeat ? 1 : 0;
    SDL_PushEvent(&event);
  }

  static void PushText(const char* text) {
    SDL_Event event{};
    event.type = SDL_TEXTINPUT;
    std::strncpy(event.text.text, text, sizeof event.text.text - 1);
    SDL_PushEvent(&event);
  }

  // Runs the main loop's message half until the queue is empty.
  static std::vector<MSG> Drain() {
    std::vector<MSG> taken;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
      taken.push_back(msg);
      if (msg.message == WM_QUIT) break;
      TranslateMessage(&msg);
      DispatchMessageA(&msg);
    }
    return taken;
  }

  HWND window_ = nullptr;
};

TEST_F(MessageTranslation, KeysBecomeKeyMessagesWithVirtualKeyCodesAndTextCharacters) {
  PushKey(SDL_KEYDOWN, SDLK_LEFT);
  PushKey(SDL_KEYDOWN, SDLK_LEFT, true);  // auto-repeat repeats WM_KEYDOWN
  PushKey(SDL_KEYUP, SDLK_LEFT);
  PushKey(SDL_KEYDOWN, SDLK_BACKQUOTE);
  // Alt is a system key; Alt+Enter and F11, down and up, are the window's own.
  PushKey(SDL_KEYDOWN, SDLK_LALT, false, KMOD_LALT);
  PushKey(SDL_KEYDOWN, SDLK_RETURN, false, KMOD_LALT);
  PushKey(SDL_KEYUP, SDLK_LALT);
  PushKey(SDL_KEYUP, SDLK_RETURN);
  PushKey(SDL_KEYDOWN, SDLK_F11);
  PushKey(SDL_KEYUP, SDLK_F11);
  // Text and the editing keys become characters.
  PushText("a`");
  PushText("\xC3\xA9");  // one non-ASCII character: '?'
  PushKey(SDL_KEYDOWN, SDLK_RETURN);
  PushKey(SDL_KEYDOWN, SDLK_BACKSPACE);
  PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
  const std::vector<MSG> msgs = Drain();
  std::vector<Message> want = {{WM_KEYDOWN, VK_LEFT},    {WM_KEYDOWN, VK_LEFT},
                               {WM_KEYUP, VK_LEFT},      {WM_KEYDOWN, VK_OEM_3},
                               {WM_SYSKEYDOWN, VK_MENU}, {WM_SYSKEYUP, VK_MENU}};
  const std::vector<Message> characters = {
      {WM_CHAR, 'a'}, {WM_CHAR, '`'},        {WM_CHAR, '?'}, {WM_KEYDOWN, VK_RETURN},
      {WM_CHAR, 13},  {WM_KEYDOWN, VK_BACK}, {WM_CHAR, 8},   {WM_KEYDOWN, VK_ESCAPE},
      {WM_CHAR, 27}};
  want.insert(want.end(), characters.begin(), characters.end());
  EXPECT_EQ(Messages(msgs), want);
  for (const MSG& m : msgs) EXPECT_EQ(m.hwnd, window_);
  EXPECT_EQ(g_dispatched, 15);  // every message reached the window procedure
}

// Mouse motion carries client coordinates, closing destroys the window, and quit comes after
// every message waiting, once.
TEST_F(MessageTranslation, MouseCloseAndQuitArriveInOrder) {
  PostQuitMessage(7);
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = 640;
  event.motion.y = 37;
  SDL_PushEvent(&event);
  PushKey(SDL_KEYDOWN, SDLK_UP);
  PushText("x");
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
  const std::vector<MSG> msgs = Drain();
  const std::vector<Message> want = {
      {WM_MOUSEMOVE, 0}, {WM_KEYDOWN, VK_UP}, {WM_CHAR, 'x'}, {WM_DESTROY, 0}, {WM_QUIT, 7}};
  ASSERT_EQ(Messages(msgs), want);
  EXPECT_EQ(LOWORD(msgs[0].lParam), 640);
  EXPECT_EQ(HIWORD(msgs[0].lParam), 37);
  MSG none;
  EXPECT_FALSE(PeekMessageA(&none, nullptr, 0, 0, PM_REMOVE));
}

// Pads and touches stand in for keys and the mouse: A is the show's key, Back the console's, the
// d-pad steps as a held arrow, the right stick moves the mouse as often as it is tilted; a pad
// pulled out lets go of what it held. A tap is a key; a drag moves the mouse and is no tap.
TEST_F(MessageTranslation, PadsAndTouchesPressKeysStepAsTheArrowsAndMoveTheMouse) {
  RunDescription run = Headless();
  run.fixedStepMs = 20;
  setenv("SDL_JOYSTICK_ALLOW_BACKGROUND_EVENTS", "1", 1);  // an offscreen window has no focus
  Open(std::move(run));
  SDL_VirtualJoystickDesc desc{};
  desc.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
  desc.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
  desc.naxes = SDL_CONTROLLER_AXIS_MAX;
  desc.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
  const int index = SDL_JoystickAttachVirtualEx(&desc);  // plugged in while the show runs
  SDL_Joystick* pad = SDL_JoystickOpen(index);
  ASSERT_NE(pad, nullptr) << SDL_GetError();
  std::vector<MSG> msgs;
  auto frames = [&](int count, std::vector<std::pair<int, int>> buttons, int rightX = 0) {
    for (auto [button, down] : buttons) SDL_JoystickSetVirtualButton(pad, button, Uint8(down));
    SDL_JoystickSetVirtualAxis(pad, SDL_CONTROLLER_AXIS_RIGHTX, Sint16(rightX));
    msgs.clear();
    for (int frame = 0; frame < count; ++frame, host::AdvanceVirtualClock()) {
      for (const MSG& m : Drain()) msgs.push_back(m);
    }
    return Messages(msgs);
  };
  using M = std::vector<Message>;
  EXPECT_EQ(frames(1, {}), M{});
  EXPECT_EQ(frames(1, {{SDL_CONTROLLER_BUTTON_A, 1}}), (M{{WM_KEYDOWN, VK_SPACE}}));
  EXPECT_EQ(frames(1, {{SDL_CONTROLLER_BUTTON_A, 0}, {SDL_CONTROLLER_BUTTON_BACK, 1}}),
            (M{{WM_KEYUP, VK_SPACE}, {WM_KEYDOWN, VK_OEM_3}, {WM_CHAR, '`'}}));
  EXPECT_EQ(
      frames(5, {{SDL_CONTROLLER_BUTTON_BACK, 0}, {SDL_CONTROLLER_BUTTON_DPAD_UP, 1}}),
      (M{{WM_KEYUP, VK_OEM_3}, {WM_KEYDOWN, VK_UP}, {WM_KEYDOWN, VK_UP}, {WM_KEYDOWN, VK_UP}}));
  EXPECT_EQ(frames(5, {{SDL_CONTROLLER_BUTTON_DPAD_UP, 0}}, 32767),
            (M{{WM_KEYUP, VK_UP}, {WM_MOUSEMOVE, 0}, {WM_MOUSEMOVE, 0}}));
  EXPECT_EQ(msgs[2].lParam, MAKELPARAM(0x8002, 0x8000));  // right, one pixel a move
  EXPECT_EQ(frames(1, {{SDL_CONTROLLER_BUTTON_DPAD_LEFT, 1}}), (M{{WM_KEYDOWN, VK_LEFT}}));
  SDL_JoystickDetachVirtual(index);
  EXPECT_EQ(frames(3, {}), (M{{WM_KEYUP, VK_LEFT}}));
  SDL_JoystickClose(pad);

  auto touch = [](Uint32 type, float dx = 0) {
    SDL_Event event{};
    event.type = type;
    event.tfinger.fingerId = 1;
    event.tfinger.dx = dx;
    SDL_PushEvent(&event);
  };
  touch(SDL_FINGERDOWN), touch(SDL_FINGERUP);
  touch(SDL_FINGERDOWN), touch(SDL_FINGERMOTION, -0.05f), touch(SDL_FINGERUP);
  msgs = Drain();
  EXPECT_EQ(Messages(msgs), (M{{WM_KEYDOWN, VK_SPACE}, {WM_KEYUP, VK_SPACE}, {WM_MOUSEMOVE, 0}}));
  EXPECT_EQ(LOWORD(msgs.back().lParam), 0x8002 - 40);  // 5% of the 800-pixel window, left
}

// Keys against Win32's virtual-key numbers written out here: the ranges, keys whose two sides
// share one code, and keys without one.
TEST(KeyMap, KeysHaveWin32sVirtualKeyCodes) {
  const std::pair<SDL_Keycode, WPARAM> keys[] = {
      {SDLK_KP_ENTER, 0x0D}, {SDLK_RSHIFT, 0x10}, {SDLK_RCTRL, 0x11}, {SDLK_RALT, 0x12},
      {SDLK_RIGHT, 0x27},    {SDLK_DOWN, 0x28},   {SDLK_F13, 0},      {SDLK_KP_1, 0},
  };
  for (auto [sdl, vk] : keys) EXPECT_EQ(VirtualKeyFromSdl(sdl), vk) << SDL_GetKeyName(sdl);
  for (int i = 0; i < 26; ++i) EXPECT_EQ(VirtualKeyFromSdl(SDLK_a + i), WPARAM(0x41 + i));
  for (int i = 0; i < 10; ++i) EXPECT_EQ(VirtualKeyFromSdl(SDLK_0 + i), WPARAM(0x30 + i));
  for (int i = 0; i < 12; ++i) EXPECT_EQ(VirtualKeyFromSdl(SDLK_F1 + i), WPARAM(0x70 + i));
  const std::pair<WPARAM, WPARAM> characters[] = {{0x0D, '\r'}, {0x08, '\b'}, {0x09, '\t'},
                                                  {0x1B, 27},   {0x20, 0},    {0x41, 0}};
  for (auto [vk, c] : characters) EXPECT_EQ(CharacterFromVirtualKey(vk), c) << vk;
}

// A script's times count from the platform's start, so a clock about to wrap delivers it on time;
// a key event is a press, its character and a release.
TEST_F(MessageTranslation, ScriptedEventsArriveWhenTheVirtualClockReachesThem) {
  RunDescription run = Headless();
  std::string error;
  ASSERT_TRUE(run.script.Parse("0.1 key ESCAPE\n0.35 mouse 5 6\n", &error));
  host::Stop();
  host::UseVirtualClock(100, 0xFFFFFF00);  // wraps 256 ms from now
  Open(std::move(run));
  const std::vector<Message> keyWithItsCharacter = {
      {WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, 27}, {WM_KEYUP, VK_ESCAPE}};
  for (int frame = 1; frame <= 4; ++frame) {
    host::AdvanceVirtualClock();
    const std::vector<Message> due = frame == 1   ? keyWithItsCharacter
                                     : frame == 4 ? std::vector<Message>{{WM_MOUSEMOVE, 0}}
                                                  : std::vector<Message>{};
    EXPECT_EQ(Messages(Drain()), due) << frame;
  }
  EXPECT_EQ(timeGetTime(), 0xFFFFFF00u + 400u);  // wrapped past zero
}

TEST_F(MessageTranslation, LiveInputIsRecordedButScriptedInputIsNot) {
  TestFolder folder;
  RunDescription run = Headless();
  run.fixedStepMs = 20;
  run.recordInputFile = "recorded.txt";
  std::string error;
  ASSERT_TRUE(run.script.Parse("0 char 49\n", &error));
  Open(std::move(run));
  host::AdvanceVirtualClock();
  PushKey(SDL_KEYDOWN, SDLK_RETURN);  // its Enter character comes from the key: not recorded
  PushText("a");
  SDL_Event close{};
  close.type = SDL_QUIT;
  SDL_PushEvent(&close);
  Drain();
  EXPECT_EQ(
      FileLines("recorded.txt"),
      (std::vector<std::string>{"# recorded input: seconds of the program's clock, then the event",
                                "0.020 keydown RETURN", "0.020 char 97", "0.020 close"}));
}

}  // namespace
