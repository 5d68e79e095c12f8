// SDL events in, window messages out, through the real window system on the offscreen display.
#include <SDL2/SDL.h>
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "platform/host.h"
#include "platform/win32.h"
#include "platform/window/input_script.h"

namespace {

std::vector<MSG> g_dispatched;

LRESULT RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
  MSG msg{};
  msg.hwnd = hWnd;
  msg.message = message;
  msg.wParam = wParam;
  msg.lParam = lParam;
  g_dispatched.push_back(msg);
  return DefWindowProcA(hWnd, message, wParam, lParam);
}

class MessageTranslation : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(host::Start(true, &error)) << error;
    WNDCLASSA wc{};
    wc.lpfnWndProc = RecordingProc;
    wc.lpszClassName = "Test";
    ASSERT_NE(RegisterClassA(&wc), 0);
    window_ = CreateWindowExA(0, "Test", "Test", WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                              CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr,
                              nullptr, nullptr);
    ASSERT_NE(window_, nullptr);
    g_dispatched.clear();
    MSG stale;
    while (PeekMessageA(&stale, nullptr, 0, 0, PM_REMOVE)) {
    }
  }
  void TearDown() override { host::Stop(); }

  static void PushKey(Uint32 type, SDL_Keycode key, bool repeat = false) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym.sym = key;
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

TEST_F(MessageTranslation, KeysBecomeKeyMessagesWithVirtualKeyCodes) {
  PushKey(SDL_KEYDOWN, SDLK_LEFT);
  PushKey(SDL_KEYDOWN, SDLK_LEFT, true);  // auto-repeat repeats WM_KEYDOWN
  PushKey(SDL_KEYUP, SDLK_LEFT);
  PushKey(SDL_KEYDOWN, SDLK_a);
  PushKey(SDL_KEYDOWN, SDLK_F3);
  PushKey(SDL_KEYDOWN, SDLK_BACKQUOTE);
  auto msgs = Drain();
  ASSERT_EQ(msgs.size(), 6u);
  EXPECT_EQ(msgs[0].message, WM_KEYDOWN);
  EXPECT_EQ(msgs[0].wParam, VK_LEFT);
  EXPECT_EQ(msgs[0].hwnd, window_);
  EXPECT_EQ(msgs[1].message, WM_KEYDOWN);
  EXPECT_EQ(msgs[2].message, WM_KEYUP);
  EXPECT_EQ(msgs[3].wParam, 'A');
  EXPECT_EQ(msgs[4].wParam, VK_F1 + 2);
  EXPECT_EQ(msgs[5].wParam, VK_OEM_3);
  EXPECT_EQ(g_dispatched.size(), 6u);  // every message reached the window procedure
}

TEST_F(MessageTranslation, TextAndEditingKeysBecomeCharacters) {
  PushText("a`");
  PushText("\xC3\xA9");  // one non-ASCII character: '?'
  PushKey(SDL_KEYDOWN, SDLK_RETURN);
  PushKey(SDL_KEYDOWN, SDLK_BACKSPACE);
  PushKey(SDL_KEYDOWN, SDLK_ESCAPE);
  auto msgs = Drain();
  std::vector<std::pair<UINT, WPARAM>> got;
  for (const MSG& m : msgs) got.emplace_back(m.message, m.wParam);
  std::vector<std::pair<UINT, WPARAM>> want = {
      {WM_CHAR, 'a'},         {WM_CHAR, '`'},    {WM_CHAR, '?'},
      {WM_KEYDOWN, VK_RETURN}, {WM_CHAR, 13},     {WM_KEYDOWN, VK_BACK},
      {WM_CHAR, 8},           {WM_KEYDOWN, VK_ESCAPE}, {WM_CHAR, 27}};
  EXPECT_EQ(got, want);
}

TEST_F(MessageTranslation, MouseMotionCarriesClientCoordinates) {
  SDL_Event event{};
  event.type = SDL_MOUSEMOTION;
  event.motion.x = 640;
  event.motion.y = 37;
  SDL_PushEvent(&event);
  auto msgs = Drain();
  ASSERT_EQ(msgs.size(), 1u);
  EXPECT_EQ(msgs[0].message, WM_MOUSEMOVE);
  EXPECT_EQ(LOWORD(msgs[0].lParam), 640);
  EXPECT_EQ(HIWORD(msgs[0].lParam), 37);
}

TEST_F(MessageTranslation, ClosingTheWindowDestroysIt) {
  SDL_Event event{};
  event.type = SDL_QUIT;
  SDL_PushEvent(&event);
  auto msgs = Drain();
  ASSERT_EQ(msgs.size(), 1u);
  EXPECT_EQ(msgs[0].message, WM_DESTROY);
}

TEST_F(MessageTranslation, QuitComesAfterEveryWaitingMessage) {
  PostQuitMessage(7);
  PushKey(SDL_KEYDOWN, SDLK_UP);
  PushText("x");
  auto msgs = Drain();
  ASSERT_EQ(msgs.size(), 3u);
  EXPECT_EQ(msgs[0].message, WM_KEYDOWN);
  EXPECT_EQ(msgs[1].message, WM_CHAR);
  EXPECT_EQ(msgs[2].message, WM_QUIT);
  EXPECT_EQ(msgs[2].wParam, 7u);
  MSG none;
  EXPECT_FALSE(PeekMessageA(&none, nullptr, 0, 0, PM_REMOVE));  // quit is handed out once
}

TEST_F(MessageTranslation, ScriptedEventsArriveWhenTheVirtualClockReachesThem) {
  host::UseVirtualClock(100, 0);
  InputScript script;
  std::string error;
  ASSERT_TRUE(script.Parse("0 key ESCAPE\n0.25 mouse 5 6\n", &error));
  host::SetInputScript(script);
  auto first = Drain();
  ASSERT_EQ(first.size(), 3u);  // down, its Escape character, up
  EXPECT_EQ(first[1].message, WM_CHAR);
  EXPECT_EQ(first[1].wParam, 27u);
  host::AdvanceVirtualClock();
  host::AdvanceVirtualClock();
  EXPECT_TRUE(Drain().empty());
  host::AdvanceVirtualClock();
  auto later = Drain();
  ASSERT_EQ(later.size(), 1u);
  EXPECT_EQ(later[0].message, WM_MOUSEMOVE);
  EXPECT_EQ(timeGetTime(), 300u);
  host::UseRealClock();
}

TEST_F(MessageTranslation, NoMessageMeansNoneIsWaiting) {
  MSG msg;
  EXPECT_FALSE(PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE));
}

}  // namespace
