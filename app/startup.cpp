#include "app/startup.h"

#include <cstdio>

#include "app/app_globals.h"
#include "console/bitmap_font.h"
#include "console/console.h"
#include "console/fire_effect.h"
#include "effects/demo_play_system.h"
#include "effects/explosion_system.h"
#include "effects/particle_system.h"
#include "platform/d3d8.h"
#include "platform/host.h"
#include "services/frame_timer.h"
#include "services/sound_system.h"
#include "world/ocean_animation.h"
#include "world/sky_dome.h"
#include "world/volcano_terrain.h"

namespace {

constexpr D3DCOLOR kOceanColor = 0x800000C8;  // blue 200 at half opacity
constexpr float kSeaLevel = 1.0f;
constexpr uint16_t kConsoleFontColor = 0xF00F;  // opaque blue
constexpr uint16_t kCaptionFontColor = 0xF0B0;  // opaque green
// The smoke column rises from the crater, drifting a little sideways.
constexpr D3DXVECTOR3 kSmokeOrigin(0.5f, 6.5f, 0.5f);
constexpr D3DXVECTOR3 kSmokeMinVelocity(-0.5f, 1.0f, -0.5f);
constexpr D3DXVECTOR3 kSmokeMaxVelocity(0.5f, 1.0f, 0.5f);

D3DPRESENT_PARAMETERS PresentParameters(const RunDescription& settings,
                                        const D3DDISPLAYMODE& desktop) {
  D3DPRESENT_PARAMETERS pp{};
  pp.BackBufferCount = 1;
  pp.MultiSampleType = D3DMULTISAMPLE_NONE;
  pp.EnableAutoDepthStencil = TRUE;
  pp.AutoDepthStencilFormat = D3DFMT_D16;
  if (settings.windowed) {
    // Width and height 0: the window's client area.
    pp.BackBufferFormat = desktop.Format;
    pp.SwapEffect = D3DSWAPEFFECT_COPY;
    pp.Windowed = TRUE;
  } else {
    pp.BackBufferWidth = static_cast<UINT>(settings.displayWidth);
    pp.BackBufferHeight = static_cast<UINT>(settings.displayHeight);
    pp.BackBufferFormat = D3DFMT_R5G6B5;
    pp.SwapEffect = D3DSWAPEFFECT_FLIP;
    pp.Windowed = FALSE;
    pp.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_ONE;
  }
  return pp;
}

bool CreateDevice(const RunDescription& settings) {
  // Said here as written: as the device's unsigned sizes a negative one would read as billions.
  if (!settings.windowed && (settings.displayWidth <= 0 || settings.displayHeight <= 0)) {
    std::fprintf(stderr, "cannot create the device: back buffer size out of range (%dx%d)\n",
                 settings.displayWidth, settings.displayHeight);
    return false;
  }
  g_d3d = Direct3DCreate8(D3D_SDK_VERSION);
  if (!g_d3d) return false;
  D3DDISPLAYMODE desktop{};
  g_d3d->GetAdapterDisplayMode(D3DADAPTER_DEFAULT, &desktop);
  D3DPRESENT_PARAMETERS pp = PresentParameters(settings, desktop);
  return SUCCEEDED(g_d3d->CreateDevice(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, g_hWnd,
                                       D3DCREATE_SOFTWARE_VERTEXPROCESSING, &pp, &g_device));
}

// Asked of the 16-bit adapter format whatever the display's: without 32-bit textures with
// alpha, the console's fire uses 16-bit colour.
bool LacksA8R8G8B8Textures() {
  return g_d3d->CheckDeviceFormat(D3DADAPTER_DEFAULT, D3DDEVTYPE_HAL, D3DFMT_R5G6B5, 0,
                                  D3DRTYPE_TEXTURE, D3DFMT_A8R8G8B8) != D3D_OK;
}

void SetBaseRenderState() {
  g_device->SetRenderState(D3DRS_LIGHTING, FALSE);
  g_device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
  g_device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  g_device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  g_device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  g_device->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  g_device->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
  g_device->SetTextureStageState(0, D3DTSS_MIPFILTER, D3DTEXF_LINEAR);
}

// The console comes first, so that every later step can report on it, then the captions' font.
void StartConsole() {
  g_console = new Console();
  const std::string& log = host::Run().logFile;
  const char* logFile = log.empty() ? nullptr : log.c_str();
  if (!g_console->Init("font\\FONT_8", nullptr, kConsoleFontColor, logFile, g_device)) {
    // Reported, but the start-up goes on; the quit request is posted.
    FatalError("Console Initialization Error", "Error", g_hWnd, true);
  }
  g_console->Print("***Orvanta Entry By Delcour***");
  g_console->Print("Type '/help' for a list of commands");
  g_font = new BitmapFont();
  g_font->Load("font\\FONT_8", kCaptionFontColor, g_device);
}

// Prints a scene object's OK line; or shows its failure, asks to quit and returns false.
bool Reported(bool succeeded, const char* okLine, const char* failMessage) {
  if (!succeeded) {
    FatalError(failMessage, "Error", g_hWnd, true);
    return false;
  }
  g_console->Print(okLine);
  return true;
}

// The five sounds, and the waves and wind looping from the start. A sound that doesn't load is
// simply never heard.
void StartSounds() {
  g_sound->Load("sound\\seawind.wav", "wind");
  g_sound->Load("sound\\shorewav.wav", "waves");
  g_sound->Load("sound\\rumble.wav", "rumble");
  g_sound->Load("sound\\explosion.wav", "explosion");
  g_sound->Load("sound\\fire.wav", "fire");
  g_sound->Play("waves", true);
  g_sound->Play("wind", true);
}

template <typename T>
void Destroy(T*& object) {
  delete object;
  object = nullptr;
}

}  // namespace

bool BuildOcean(int extent, int gridSize) {
  return g_ocean->Build("textures\\ocean.bmp", kOceanColor, kSeaLevel, extent, extent, gridSize,
                        gridSize, 0.5f, 0.2f, 0.5f, g_device);
}

void Startup() {
  const RunDescription& settings = host::Run();
  g_showFps = settings.showFps;
  if (!CreateDevice(settings)) {
    FatalError("Error Creating Direct3D Device", "Error", g_hWnd, true);
    return;
  }
  const bool noA8R8G8B8 = LacksA8R8G8B8Textures();
  SetBaseRenderState();
  StartConsole();

  // The scene objects, in this order; the first that fails ends the start-up.
  g_sound = new SoundSystem();
  if (!Reported(g_sound->Init(g_hWnd), "DirectAudio Init: OK", "Error Initializing DirectAudio")) {
    return;
  }
  g_consoleFire = new FireEffect();
  if (!Reported(g_consoleFire->Init(128, FireEffect::kPaletteFile, 2, 2, 30, noA8R8G8B8, g_device),
                "Console Fire Init: OK", "Error Initializing Fire")) {
    return;
  }
  g_skyDome = new SkyDome();
  if (!Reported(g_skyDome->Init(g_device, "misc\\skydome.md3"), "Sky Dome Init: OK",
                "Error Initializing Sky Dome")) {
    return;
  }
  g_smoke = new ParticleSystem();
  if (!Reported(g_smoke->Init(g_device, ParticleSystem::kSmokeFile, 35, 40, kSmokeOrigin, 1.0f,
                              kSmokeMinVelocity, kSmokeMaxVelocity),
                "Particle System Init: OK", "Particle System Init: FAIL")) {
    return;
  }
  g_ocean = new OceanAnimation();
  if (!Reported(BuildOcean(48, 32 * settings.waterDetail), "Ocean Animation System Init: OK",
                "Ocean Animation System Init: FAIL")) {
    return;
  }
  g_terrain = new VolcanoTerrain();
  if (!Reported(g_terrain->Generate("textures\\volcanoh24.bmp", VolcanoTerrain::kTextureFile, 5, 5,
                                    15.0f, g_device),
                "Volcano Terrain Generation: OK", "Volcano Terrain Generation: FAIL")) {
    return;
  }
  g_explosion = new ExplosionSystem();
  if (!Reported(
          g_explosion->Init("textures\\shockwave.bmp", "textures\\erupdebris.bmp", 64, g_device),
          "Explosion System Init: OK", "Explosion System Init: FAIL")) {
    return;
  }
  g_demo = new DemoPlaySystem();
  if (!Reported(g_demo->Init(g_timer, g_font, g_explosion, g_smoke, g_terrain, g_sound, g_device),
                "Demo Play System Init: OK", "Demo Play System Init: FAIL")) {
    return;
  }

  g_terrain->BuildGrid(&g_seaPlaneVB, &g_seaPlaneIB, 64, 64, 2, 2, 0xFFFFFFFF, g_device);
  StartSounds();
}

void Shutdown() {
  Destroy(g_font);
  Destroy(g_skyDome);
  Destroy(g_consoleFire);
  Destroy(g_console);
  Destroy(g_timer);
  Destroy(g_smoke);
  Destroy(g_ocean);
  Destroy(g_terrain);
  Destroy(g_demo);
  Destroy(g_explosion);
  // Stops every sound and closes the audio output.
  Destroy(g_sound);
  // The sea plane's buffers go before the device they belong to.
  SafeRelease(g_seaPlaneVB);
  SafeRelease(g_seaPlaneIB);
  // The device holds its own reference to the Direct3D object, so this order is safe.
  SafeRelease(g_d3d);
  SafeRelease(g_device);
}
