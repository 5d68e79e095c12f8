#pragma once
#include "gfx/d3dx_vector3.h"

// One picture per call: clear, the scene between BeginScene and EndScene, present; then the
// smoke moves on.
void RenderFrame();
// The world in its fixed drawing order, with the camera's view and the fixed projection.
void RenderScene();
// Where the camera stands: the intro's closing view until the demo's script drives it.
D3DXVECTOR3 CameraEye();
