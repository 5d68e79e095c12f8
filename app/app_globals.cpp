#include "app/app_globals.h"

HWND g_hWnd = nullptr;
IDirect3D8* g_d3d = nullptr;
IDirect3DDevice8* g_device = nullptr;
FrameTimer* g_timer = nullptr;
uint32_t g_fps = 0;
bool g_showFps = false;
SkyDome* g_skyDome = nullptr;
Console* g_console = nullptr;
BitmapFont* g_font = nullptr;
FireEffect* g_consoleFire = nullptr;
OceanAnimation* g_ocean = nullptr;
VolcanoTerrain* g_terrain = nullptr;
IDirect3DVertexBuffer8* g_seaPlaneVB = nullptr;
IDirect3DIndexBuffer8* g_seaPlaneIB = nullptr;
