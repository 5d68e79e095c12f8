#pragma once
// The application's globals: null or zero until the start-up creates them.
#include <cstdint>

#include "gfx/d3dx_vector3.h"
#include "platform/d3d8.h"
#include "platform/win32.h"

class BitmapFont;
class Console;
class DemoPlaySystem;
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
// The show's script, which owns the camera.
extern DemoPlaySystem* g_demo;
// The sea plane under and around the ocean: one quad, built by the terrain at start-up.
extern IDirect3DVertexBuffer8* g_seaPlaneVB;
extern IDirect3DIndexBuffer8* g_seaPlaneIB;

// Input for the exploring camera. The arrow keys assign a step in camera space (x right, z
// forward) that the next camera update uses once and clears; the mouse turns the look angles by
// a fixed step per message, in radians.
extern D3DXVECTOR3 g_move;
extern float g_yaw;
extern float g_pitch;
extern int32_t g_lastMouseX;
extern int32_t g_lastMouseY;
