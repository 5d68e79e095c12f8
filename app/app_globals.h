#pragma once
// The application's globals: null or zero until the start-up creates them.
#include <cstdint>

#include "platform/d3d8.h"
#include "platform/win32.h"

class BitmapFont;
class Console;
class ExplosionSystem;
class FireEffect;
class FrameTimer;
class OceanAnimation;
class ParticleSystem;
class SkyDome;
class SoundSystem;
class VolcanoTerrain;

extern HWND g_hWnd;
extern IDirect3D8* g_d3d;
extern IDirect3DDevice8* g_device;
extern FrameTimer* g_timer;
extern uint32_t g_fps;
extern bool g_showFps;
extern Console* g_console;
// The captions' font.
extern BitmapFont* g_font;
extern SoundSystem* g_sound;
// The console's burning backdrop.
extern FireEffect* g_consoleFire;
extern SkyDome* g_skyDome;
// The smoke column over the crater.
extern ParticleSystem* g_smoke;
extern OceanAnimation* g_ocean;
extern VolcanoTerrain* g_terrain;
extern ExplosionSystem* g_explosion;
// The sea plane under and around the ocean: one quad, built by the terrain at start-up.
extern IDirect3DVertexBuffer8* g_seaPlaneVB;
extern IDirect3DIndexBuffer8* g_seaPlaneIB;
