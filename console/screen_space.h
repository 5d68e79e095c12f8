#pragma once
// Screen-space drawing (text, the console's backdrop): an orthographic projection of the
// viewport's size centred on the viewport, so one unit is one pixel and y runs up.
#include "platform/d3d8.h"

struct ScreenSpace {
  float width = 0.0f;
  float height = 0.0f;
  // Halves rounded down, as whole pixels.
  float halfWidth = 0.0f;
  float halfHeight = 0.0f;
};

// Reads the viewport and sets the projection to match it.
ScreenSpace UseScreenProjection(IDirect3DDevice8* device);
