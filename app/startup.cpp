#include "app/startup.h"

#include <cstdio>

#include "app/app_globals.h"
#include "app/config_file.h"
#include "app/frame_timer.h"
#include "app/sound_system.h"
#include "effects/explosion_system.h"
#include "effects/particle_system.h"
#include "platform/d3d8.h"
#include "world/ocean_animation.h"
#include "world/sky_dome.h"
#include "world/volcano_terrain.h"

namespace {

// What config.ini chooses, with the values used when it is missing or malformed.
constexpr D3DCOLOR kOceanColor = 0x800000C8;  // blue 200 at half opacity
constexpr float kSeaLevel = 1.0f;
// The smoke column rises from the crater, drifting a little sideways.
constexpr D3DXVECTOR3 kSmokeOrigin(0.5f, 6.5f, 0.5f);
constexpr D3DXVECTOR3 kSmokeMinVelocity(-0.5f, 1.0f, -0.5f);
constexpr D3DXVECTOR3 kSmokeMaxVelocity(0.5f, 1.0f, 0.5f);

struct DisplaySettings {
  int width = 800;
  int height = 600;
  bool windowed = true;
  int waterDetail = 3;
};

D3DPRESENT_PARAMETERS PresentParameters(const DisplaySettings& settings,
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
    pp.BackBufferWidth = static_cast<UINT>(settings.width);
    pp.BackBufferHeight = static_cast<UINT>(settings.height);
    pp.BackBufferFormat = D3DFMT_R5G6B5;
    pp.SwapEffect = D3DSWAPEFFECT_FLIP;
    pp.Windowed = FALSE;
    pp.FullScreen_PresentationInterval = D3DPRESENT_INTERVAL_ONE;
  }
  return pp;
}

bool CreateDevice(const DisplaySettings& settings) {
  // Said here as written: as the device's unsigned sizes a negative one would read as billions.
  if (!settings.windowed && (settings.width <= 0 || settings.height <= 0)) {
    std::fprintf(stderr, "cannot create the device: back buffer size out of range (%dx%d)\n",
                 settings.width, settings.height);
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

void FatalError(const char* text, const char* caption, HWND owner, bool quit) {
  MessageBoxA(owner, text, caption, MB_OK);
  // A run that failed must not look like one that succeeded.
  if (quit) PostQuitMessage(kFatalExitCode);
}

void Startup() {
  DisplaySettings settings;
  ReadConfig("config.ini", &settings.width, &settings.height, &settings.windowed,
             &settings.waterDetail, &g_showFps);

  if (!CreateDevice(settings)) {
    FatalError("Error Creating Direct3D Device", "Error", g_hWnd, true);
    return;
  }
  SetBaseRenderState();

  // The scene objects, in this order; the first that fails ends the start-up.
  g_sound = new SoundSystem();
  if (!g_sound->Init(g_hWnd)) {
    FatalError("Error Initializing DirectAudio", "Error", g_hWnd, true);
    return;
  }
  g_skyDome = new SkyDome();
  if (!g_skyDome->Init(g_device, "misc\\skydome.md3")) {
    FatalError("Error Initializing Sky Dome", "Error", g_hWnd, true);
    return;
  }
  // Once the console exists it shows "Sky Dome Init: OK" here.
  g_smoke = new ParticleSystem();
  if (!g_smoke->Init(g_device, "textures\\smoke.bmp", 35, 40, kSmokeOrigin, 1.0f, kSmokeMinVelocity,
                     kSmokeMaxVelocity)) {
    FatalError("Particle System Init: FAIL", "Error", g_hWnd, true);
    return;
  }
  g_ocean = new OceanAnimation();
  if (!g_ocean->Build("textures\\ocean.bmp", kOceanColor, kSeaLevel, 48, 48,
                      32 * settings.waterDetail, 32 * settings.waterDetail, 0.5f, 0.2f, 0.5f,
                      g_device)) {
    FatalError("Ocean Animation System Init: FAIL", "Error", g_hWnd, true);
    return;
  }
  g_terrain = new VolcanoTerrain();
  if (!g_terrain->Generate("textures\\volcanoh24.bmp", "textures\\volcanotex.bmp", 5, 5, 15.0f,
                           g_device)) {
    FatalError("Volcano Terrain Generation: FAIL", "Error", g_hWnd, true);
    return;
  }
  g_explosion = new ExplosionSystem();
  if (!g_explosion->Init("textures\\shockwave.bmp", "textures\\erupdebris.bmp", 64, g_device)) {
    FatalError("Explosion System Init: FAIL", "Error", g_hWnd, true);
    return;
  }

  g_terrain->BuildGrid(&g_seaPlaneVB, &g_seaPlaneIB, 64, 64, 2, 2, 0xFFFFFFFF, g_device);
  StartSounds();
}

void Shutdown() {
  Destroy(g_skyDome);
  Destroy(g_timer);
  Destroy(g_smoke);
  Destroy(g_ocean);
  Destroy(g_terrain);
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
