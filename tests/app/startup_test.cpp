// The start-up and shut-down sequences and the window procedure in-process, on the offscreen
// display, in a copy of the program's data folder.
#include "app/startup.h"

#include <gtest/gtest.h>

#include "app/app_globals.h"
#include "app/config_file.h"
#include "app/win_main.h"
#include "app/window_proc.h"
#include "console/console.h"
#include "device_readback.h"
#include "effects/demo_play_system.h"
#include "platform/host.h"
#include "services/frame_timer.h"
#include "services/sound_system.h"
#include "test_folder.h"
#include "world/ocean_animation.h"

namespace {

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_.CopyFrom(VULCARA_DATA_DIR); }

  void TearDown() override {
    Shutdown();
    host::Stop();
    g_hWnd = nullptr;
    g_showFps = false;
  }

  // Describes a headless run with that config.ini, as the program does, starts the platform and
  // a window and runs the start-up; returns what it wrote on standard error.
  std::string StartWith(const std::string& config) {
    folder_.Write("config.ini", config);
    RunDescription run;
    run.headless = true;
    run.fixedStepMs = 3;
    ::testing::internal::CaptureStderr();
    ReadConfig(&run);
    std::string error;
    EXPECT_TRUE(host::Start(std::move(run), &error)) << error;
    EXPECT_TRUE(CreateMainWindow(nullptr, SW_SHOWDEFAULT));
    g_timer = new FrameTimer();
    Startup();
    return ::testing::internal::GetCapturedStderr();
  }

  // The first message the main loop would take, skipping window-system chatter.
  static MSG NextMessage() {
    MSG msg{};
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE) && msg.message != WM_QUIT) {
    }
    return msg;
  }

  static void Type(const std::string& text) {
    for (char c : text) WndProc(g_hWnd, WM_CHAR, static_cast<unsigned char>(c), 0);
  }

  TestFolder folder_;
};

// A window at the client area's size with the base render state and the configured settings; the
// shut-down releases every object the start-up made.
TEST_F(StartupTest, WindowedStartUpSetsTheBaseStateAndTheShutDownReleasesEverything) {
  StartWith("displaymode= 0 waterdetail= med showfps= 1");
  ASSERT_NE(g_device, nullptr);
  D3DVIEWPORT8 viewport{};
  g_device->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, 800u);
  EXPECT_EQ(viewport.Height, 600u);
  const std::pair<D3DRENDERSTATETYPE, DWORD> base[] = {
      {D3DRS_LIGHTING, FALSE},
      {D3DRS_CULLMODE, D3DCULL_CW},
      {D3DRS_ALPHABLENDENABLE, TRUE},
      {D3DRS_SRCBLEND, D3DBLEND_SRCALPHA},
      {D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA},
      {D3DRS_ZENABLE, D3DZB_TRUE}};  // untouched default
  for (const auto& [state, value] : base) EXPECT_EQ(RenderStateOf(g_device, state), value) << state;
  for (auto filter : {D3DTSS_MINFILTER, D3DTSS_MAGFILTER, D3DTSS_MIPFILTER}) {
    EXPECT_EQ(StageStateOf(g_device, 0, filter), DWORD{D3DTEXF_LINEAR});
  }
  EXPECT_TRUE(g_showFps);
  ASSERT_NE(g_ocean, nullptr);
  EXPECT_EQ(g_ocean->Motions().size(), 64u * 64u);
  EXPECT_NE(g_seaPlaneIB, nullptr);
  EXPECT_NE(NextMessage().message, WM_QUIT);
  Shutdown();
  const void* const left[] = {g_skyDome,     g_ocean, g_terrain, g_seaPlaneVB, g_console, g_font,
                              g_consoleFire, g_sound, g_smoke,   g_explosion,  g_demo};
  for (size_t i = 0; i < std::size(left); ++i) EXPECT_EQ(left[i], nullptr) << i;
}

// The device fails after the Direct3D object was made: the quit comes at once, and the shut-down
// still releases what was made.
TEST_F(StartupTest, DeviceFailureQuitsWithoutAFrameAndReleasesWhatWasMade) {
  StartWith("displaymode= 1234 567 waterdetail= high showfps= 1");
  EXPECT_NE(g_d3d, nullptr);
  EXPECT_EQ(NextMessage().message, WM_QUIT);
  Shutdown();
  EXPECT_EQ(g_d3d, nullptr);
  EXPECT_EQ(g_timer, nullptr);
}

// Arrows assign one step and every mouse message turns one step; typed characters reach the
// console and its commands take effect.
TEST_F(StartupTest, TheWindowProcedureTakesArrowsMouseMovesAndConsoleCommands) {
  StartWith("displaymode= 0 waterdetail= low showfps= 1");
  for (WPARAM key : {VK_UP, VK_UP, VK_LEFT}) WndProc(g_hWnd, WM_KEYDOWN, key, 0);
  EXPECT_EQ(g_move, D3DXVECTOR3(-0.1f, 0.0f, 0.1f));
  // However far the mouse goes in one message: right turns right, down tilts down.
  const float turns[][4] = {{200, 0, 0.075f, 0.0f}, {200, 30, 0.075f, 0.075f}, {10, 5, 0, 0}};
  for (const auto& [x, y, yaw, pitch] : turns) {
    WndProc(g_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(int(x), int(y)));
    EXPECT_FLOAT_EQ(g_yaw, yaw) << x;
    EXPECT_FLOAT_EQ(g_pitch, pitch) << y;
  }
  Type("`");
  ASSERT_TRUE(g_console->Visible());
  WndProc(g_hWnd, WM_CHAR, 0x263A, 0);  // no single-byte character
  Type("/waterdetailhigh\r");
  EXPECT_EQ(g_ocean->Motions().size(), 100u * 100u);
  Type("/waterdetaillow\r/hidefps\r");
  EXPECT_EQ(g_ocean->Motions().size(), 10u * 10u);
  EXPECT_FALSE(g_showFps);
  EXPECT_STREQ(g_console->InputLine(), ">");
}

TEST_F(StartupTest, SoundThatCannotStartAtAllEndsTheStartUpAtItsRow) {
  SoundSystem owner;  // holds the one sound output
  ASSERT_TRUE(owner.Init(nullptr));
  std::string err = StartWith("displaymode= 0 waterdetail= low showfps= 0");
  EXPECT_NE(err.find("Error: Error Initializing DirectAudio"), std::string::npos) << err;
  EXPECT_EQ(g_consoleFire, nullptr);
  EXPECT_EQ(NextMessage().message, WM_QUIT);
}

}  // namespace
