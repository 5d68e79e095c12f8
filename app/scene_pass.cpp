#include "app/scene_pass.h"

#include <cstdio>

#include "app/app_globals.h"
#include "console/bitmap_font.h"
#include "console/console.h"
#include "console/fire_effect.h"
#include "effects/demo_play_system.h"
#include "effects/particle_system.h"
#include "gfx/d3dx_matrix.h"
#include "gfx/d3dx_vector3.h"
#include "gfx/scene_vertex.h"
#include "services/frame_timer.h"
#include "world/ocean_animation.h"
#include "world/sky_dome.h"
#include "world/volcano_terrain.h"

namespace {

constexpr D3DCOLOR kClearColor = 0x000000C8;  // dark blue
constexpr float kFieldOfView = 0.5235988f;    // 30 degrees
constexpr float kAspect = 1.0f;               // whatever the window's shape
constexpr float kNearPlane = 1.0f;
constexpr float kFarPlane = 1000.0f;

void SetWorld(const D3DXMATRIX& world) {
  g_device->SetTransform(D3DTS_WORLD, &world);
}

// The island shakes with the fire phase's rumble; the world stays still before it.
void SetIslandWorld(const D3DXMATRIX& identity) {
  SetWorld(g_demo && g_demo->FirePhase() ? g_demo->Shake() : identity);
}

// The demo's frame, with this frame's input for the exploring camera. Its new view reaches the
// sky dome in this frame and everything else in the next.
void PlayDemo(const D3DXMATRIX& identity) {
  if (!g_demo) return;
  g_demo->PlayFrame(g_device, &g_move, g_yaw, g_pitch);
  SetIslandWorld(identity);
}

void SetDemoView() {
  if (g_demo) g_device->SetTransform(D3DTS_VIEW, &g_demo->View());
}

// Drawn with the ocean's texture and the stage-0 setup the ocean leaves behind: colour from the
// texture, opacity from the plane's opaque white vertices.
void RenderSeaPlane() {
  if (!g_seaPlaneVB || !g_seaPlaneIB) return;
  g_device->SetVertexShader(kSceneVertexFormat);
  g_device->SetTexture(0, g_ocean ? g_ocean->Texture() : nullptr);
  g_device->SetStreamSource(0, g_seaPlaneVB, sizeof(SceneVertex));
  g_device->SetIndices(g_seaPlaneIB, 0);
  g_device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2);
}

// The fire burns on only while the console shows it.
void AdvanceConsoleFire() {
  if (!g_console || !g_console->Visible() || !g_consoleFire) return;
  g_console->SetBackgroundTexture(g_consoleFire->Texture());
  g_consoleFire->Update();
}

// The previous frame's rate at the top left, in the console's font.
void RenderFrameRate() {
  char text[16];
  std::snprintf(text, sizeof text, "%i FPS", static_cast<int>(g_fps));
  g_console->Font().RenderText(text, 0.0f, 0.0f, 1.0f, g_device);
}

}  // namespace

void RenderScene() {
  D3DXMATRIX identity, projection;
  D3DXMatrixIdentity(&identity);
  SetDemoView();
  D3DXMatrixPerspectiveFovLH(&projection, kFieldOfView, kAspect, kNearPlane, kFarPlane);
  g_device->SetTransform(D3DTS_PROJECTION, &projection);

  SetIslandWorld(identity);
  if (g_terrain) g_terrain->Render(g_device);
  // Everything after the terrain culls clockwise triangles, whatever was set before.
  g_device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
  PlayDemo(identity);

  SetWorld(identity);
  if (g_ocean) g_ocean->Render(g_device, g_timer->frameMs);
  RenderSeaPlane();
  if (g_smoke) g_smoke->Render(g_device);

  // The dome's raw model coordinates are twice the size it is drawn at, around the origin.
  D3DXMATRIX halfSize;
  D3DXMatrixScaling(&halfSize, 0.5f, 0.5f, 0.5f);
  SetWorld(halfSize);
  SetDemoView();
  if (g_skyDome) g_skyDome->Render(g_device);

  // Last, over everything.
  if (g_console) g_console->Render(g_device);
}

void RenderFrame() {
  AdvanceConsoleFire();
  g_device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kClearColor, 1.0f, 0);
  g_device->BeginScene();
  RenderScene();
  if (g_showFps && g_console) RenderFrameRate();
  g_device->EndScene();
  g_device->Present(nullptr, nullptr, nullptr, nullptr);
  // After the picture: each frame shows the smoke as the previous frame left it.
  if (g_smoke) g_smoke->Update(g_timer->frameMs, true);
}
