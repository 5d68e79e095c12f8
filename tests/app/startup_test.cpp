// The start-up, frame and shut-down sequences in-process, on the offscreen display.
#include "app/startup.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_globals.h"
#include "app/win_main.h"
#include "app/window_proc.h"
#include "console/bitmap_font.h"
#include "console/console.h"
#include "console/fire_effect.h"
#include "device_readback.h"
#include "disk_audio.h"
#include "effects/demo_play_system.h"
#include "platform/host.h"
#include "region_mean.h"
#include "services/frame_timer.h"
#include "services/sound_system.h"
#include "startup_lines.h"
#include "test_bitmap.h"
#include "test_folder.h"
#include "test_md3.h"
#include "world/ocean_animation.h"
#include "world/sky_dome.h"
#include "world/volcano_terrain.h"

namespace {

class StartupTest : public ::testing::Test {
 protected:
  void SetUp() override {
    host::UseVirtualClock(3, 0);
    std::string error;
    ASSERT_TRUE(host::Start(true, &error)) << error;
    ASSERT_TRUE(CreateMainWindow(nullptr, SW_SHOWDEFAULT));
    g_timer = new FrameTimer();
    // A small island, a one-triangle sky, smoke and debris; the other textures may be missing.
    // The console's font and fire palette are the program's own.
    for (const char* folder : {"font", "misc"}) {
      std::filesystem::copy(std::filesystem::path(VULCARA_DATA_DIR) / folder, folder);
    }
    std::filesystem::create_directory("textures");
    WriteBitmap("textures/volcanoh24.bmp", GreyRamp24(4, 4, 2));
    for (const char* sprite : {"textures/smoke.bmp", "textures/erupdebris.bmp"}) {
      WriteBitmap(sprite, GreyRamp24(4, 4, 9));
    }
    folder_.Write("misc/skydome.md3", Md3Bytes(TriangleMd3()));
  }

  void TearDown() override {
    Shutdown();
    host::Stop();
    host::UseRealClock();
    g_hWnd = nullptr;
    g_fps = 0;
    g_showFps = false;
    g_move = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
    g_yaw = g_pitch = 0.0f;
    g_lastMouseX = g_lastMouseY = 0;
  }

  // Runs the start-up and returns what it wrote on standard error.
  std::string StartWith(const std::string& config) {
    folder_.Write("config.ini", config);
    ::testing::internal::CaptureStderr();
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

TEST_F(StartupTest, WindowedDeviceWithTheBaseRenderState) {
  std::string err = StartWith("displaymode= 0 waterdetail= low showfps= 1");
  // Only the ten optional files the fixture leaves out are named, each once however often read.
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 10) << err;
  EXPECT_EQ(LinesStartingWith(err, "textures/volcanotex.bmp: cannot open it").size(), 1u) << err;
  ASSERT_NE(g_device, nullptr);
  D3DVIEWPORT8 viewport{};
  g_device->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, 800u);  // the window's client area
  EXPECT_EQ(viewport.Height, 600u);
  EXPECT_TRUE(g_showFps);
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
  EXPECT_NE(NextMessage().message, WM_QUIT);
}

TEST_F(StartupTest, FullScreenUsesTheConfiguredMode) {
  StartWith("displaymode= 1024 768 waterdetail= high showfps= 0");
  ASSERT_NE(g_device, nullptr);
  D3DVIEWPORT8 viewport{};
  g_device->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, 1024u);
  EXPECT_EQ(viewport.Height, 768u);
  EXPECT_FALSE(g_showFps);
}

TEST_F(StartupTest, MissingConfigRunsWindowedWithDefaults) {
  ::testing::internal::CaptureStderr();
  Startup();
  std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("config.ini: cannot open it"), std::string::npos) << err;
  ASSERT_NE(g_device, nullptr);
  D3DVIEWPORT8 viewport{};
  g_device->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, 800u);
  EXPECT_FALSE(g_showFps);
}

TEST_F(StartupTest, DeviceFailureShowsTheMessageAndQuitsWithoutAFrame) {
  std::string err = StartWith("displaymode= 1234 567 waterdetail= high showfps= 1");
  EXPECT_NE(err.find("Error: Error Creating Direct3D Device\n"), std::string::npos) << err;
  EXPECT_EQ(g_device, nullptr);
  EXPECT_NE(g_d3d, nullptr);  // created before the failing step
  MSG msg = NextMessage();
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(static_cast<int>(msg.wParam), kFatalExitCode);
  Shutdown();
  EXPECT_EQ(g_d3d, nullptr);
  EXPECT_EQ(g_timer, nullptr);
}

TEST_F(StartupTest, WaterDetailSetsTheOceanGridAndTheSeaPlaneIsBuilt) {
  StartWith("displaymode= 0 waterdetail= med showfps= 0");
  ASSERT_NE(g_skyDome, nullptr);
  EXPECT_TRUE(g_skyDome->Enabled());
  ASSERT_NE(g_ocean, nullptr);
  EXPECT_EQ(g_ocean->Motions().size(), 64u * 64u);
  ASSERT_NE(g_terrain, nullptr);
  EXPECT_EQ(g_terrain->VertexCount(), 16);
  EXPECT_NE(g_seaPlaneVB, nullptr);
  EXPECT_NE(g_seaPlaneIB, nullptr);
  EXPECT_EQ(g_font->GlyphCount(), 95u);
  EXPECT_EQ(FileLines("conout.log").back(), "Demo Play System Init: OK");
  Shutdown();
  EXPECT_EQ(g_skyDome, nullptr);
  EXPECT_EQ(g_ocean, nullptr);
  EXPECT_EQ(g_terrain, nullptr);
  EXPECT_EQ(g_seaPlaneVB, nullptr);
  EXPECT_EQ(g_console, nullptr);
  EXPECT_EQ(g_font, nullptr);
  EXPECT_EQ(g_consoleFire, nullptr);
  EXPECT_EQ(g_sound, nullptr);
  EXPECT_EQ(g_smoke, nullptr);
  EXPECT_EQ(g_explosion, nullptr);
  EXPECT_EQ(g_demo, nullptr);
}

TEST_F(StartupTest, ArrowsAssignOneStepAndEveryMouseMessageTurnsOneStep) {
  StartWith("displaymode= 0 waterdetail= low showfps= 0");
  for (WPARAM key : {VK_UP, VK_UP, VK_LEFT}) WndProc(g_hWnd, WM_KEYDOWN, key, 0);
  EXPECT_EQ(g_move.x, -0.1f);
  EXPECT_EQ(g_move.y, 0.0f);
  EXPECT_EQ(g_move.z, 0.1f);
  // However far the mouse goes in one message: right turns right, down tilts down.
  const struct {
    int x, y;
    float yaw, pitch;
  } moves[] = {{200, 0, 0.075f, 0.0f}, {200, 30, 0.075f, 0.075f}, {10, 5, 0.0f, 0.0f}};
  for (const auto& m : moves) {
    WndProc(g_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(m.x, m.y));
    EXPECT_FLOAT_EQ(g_yaw, m.yaw) << m.x;
    EXPECT_FLOAT_EQ(g_pitch, m.pitch) << m.y;
  }
}

TEST_F(StartupTest, SoundThatCannotStartAtAllEndsTheStartUpAtItsRow) {
  SoundSystem owner;  // holds the one sound output
  ASSERT_TRUE(owner.Init(nullptr));
  std::string err = StartWith("displaymode= 0 waterdetail= low showfps= 0");
  EXPECT_NE(err.find("Error: Error Initializing DirectAudio"), std::string::npos) << err;
  EXPECT_EQ(g_consoleFire, nullptr);
  EXPECT_EQ(NextMessage().message, WM_QUIT);
}

TEST_F(StartupTest, TypedCharactersReachTheConsoleAndItsCommandsTakeEffect) {
  StartWith("displaymode= 0 waterdetail= low showfps= 0");
  g_timer->Update();
  Type("`");
  ASSERT_TRUE(g_console->Visible());
  WndProc(g_hWnd, WM_CHAR, 0x263A, 0);  // no single-byte character
  Type("/showfps\r");
  EXPECT_TRUE(g_showFps);
  Type("/waterdetailhigh\r");
  EXPECT_EQ(g_ocean->Motions().size(), 100u * 100u);
  Type("/waterdetaillow\r/hidefps\r");
  EXPECT_EQ(g_ocean->Motions().size(), 10u * 10u);
  EXPECT_FALSE(g_showFps);
  EXPECT_STREQ(g_console->InputLine(), ">");
  // The fire burns only while the console shows.
  auto heat = [] {
    return std::vector<uint8_t>(g_consoleFire->Field().Current().begin(),
                                g_consoleFire->Field().Current().end());
  };
  const std::vector<uint8_t> before = heat();
  ProduceFrame();
  EXPECT_NE(heat(), before);
  Type("~");
  ProduceFrame();  // the last frame with the console
  EXPECT_FALSE(g_console->Visible());
  const std::vector<uint8_t> after = heat();
  ProduceFrame();
  EXPECT_EQ(heat(), after);
}

TEST_F(StartupTest, FiveSoundsLoadAndTheWavesAndWindLoopUntilTheShutDown) {
  DiskAudio audio;
  std::filesystem::copy(std::filesystem::path(VULCARA_DATA_DIR) / "sound", "sound");
  StartWith("displaymode= 0 waterdetail= low showfps= 0");
  ASSERT_NE(g_sound, nullptr);
  for (const char* name : {"wind", "waves", "rumble", "explosion", "fire"}) {
    EXPECT_TRUE(g_sound->SetVolume(name, 0)) << name;
  }
  audio.MixFor(0.3);
  Shutdown();
  EXPECT_EQ(g_sound, nullptr);
  const std::vector<int16_t> heard = audio.LeftChannel();
  ASSERT_GT(heard.size(), size_t(DiskAudio::kRate / 4));
  EXPECT_GT(*std::max_element(heard.end() - DiskAudio::kRate / 10, heard.end()), 1000);
}

TEST_F(StartupTest, FramesClearTheSkyAndCountTheFrameRate) {
  StartWith("displaymode= 0 waterdetail= high showfps= 0");
  ASSERT_NE(g_device, nullptr);
  g_timer->Update();
  ProduceFrame();
  EXPECT_EQ(g_fps, 1000u);  // nothing was presented yet: a 0 ms frame counts as 1 ms
  ProduceFrame();
  EXPECT_EQ(g_fps, 333u);  // 3 ms
  BackBufferImage image;
  ASSERT_EQ(g_device->ReadBackBuffer(&image), D3D_OK);
  ASSERT_EQ(image.rgba.size(), 800u * 600u * 4u);
  // The camera looks down at the island: the top rows see past the sea, into the clear colour.
  EXPECT_EQ(CountPixels(image.rgba, 800, 0, 0, 800, 20,
                        [](const uint8_t* px) { return !px[0] && !px[1] && px[2] == 200; }),
            800 * 20);
  EXPECT_NEAR(g_timer->totalSeconds, 0.003f, 1e-6f);
}

}  // namespace
