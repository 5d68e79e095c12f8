#include "app/scene_pass.h"

#include "app/app_globals.h"

namespace {

constexpr D3DCOLOR kClearColor = 0x000000C8;  // dark blue

}  // namespace

void RenderFrame() {
  g_device->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, kClearColor, 1.0f, 0);
  g_device->BeginScene();
  g_device->EndScene();
  g_device->Present(nullptr, nullptr, nullptr, nullptr);
}
