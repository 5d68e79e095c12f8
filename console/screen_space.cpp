#include "console/screen_space.h"

#include "gfx/d3dx_matrix.h"

ScreenSpace UseScreenProjection(IDirect3DDevice8* device) {
  D3DVIEWPORT8 viewport{};
  device->GetViewport(&viewport);
  const ScreenSpace screen{static_cast<float>(viewport.Width), static_cast<float>(viewport.Height),
                           static_cast<float>(viewport.Width / 2),
                           static_cast<float>(viewport.Height / 2)};
  D3DXMATRIX projection;
  D3DXMatrixOrthoLH(&projection, screen.width, screen.height, 0.0f, 1.0f);
  device->SetTransform(D3DTS_PROJECTION, &projection);
  return screen;
}
