#pragma once
// The application's globals: null or zero until the start-up creates them.
#include <cstdint>

#include "platform/d3d8.h"
#include "platform/win32.h"

class FrameTimer;

extern HWND g_hWnd;
extern IDirect3D8* g_d3d;
extern IDirect3DDevice8* g_device;
extern FrameTimer* g_timer;
extern uint32_t g_fps;
extern bool g_showFps;
