#include "app/app_globals.h"

HWND g_hWnd = nullptr;
IDirect3D8* g_d3d = nullptr;
IDirect3DDevice8* g_device = nullptr;
FrameTimer* g_timer = nullptr;
uint32_t g_fps = 0;
bool g_showFps = false;
Console* g_console = nullptr;
BitmapFont* g_font = nullptr;
SoundSystem* g_sound = nullptr;
FireEffect* g_consoleFire = nullptr;
SkyDome* g_skyDome = nullptr;
ParticleSystem* g_smoke = nullptr;
OceanAnimation* g_ocean = nullptr;
VolcanoTerrain* g_terrain = nullptr;
ExplosionSystem* g_explosion = nullptr;
DemoPlaySystem* g_demo = nullptr;
IDirect3DVertexBuffer8* g_seaPlaneVB = nullptr;
IDirect3DIndexBuffer8* g_seaPlaneIB = nullptr;
D3DXVECTOR3 g_move(0.0f, 0.0f, 0.0f);
float g_yaw = 0.0f;
float g_pitch = 0.0f;
int32_t g_lastMouseX = 0;
int32_t g_lastMouseY = 0;
