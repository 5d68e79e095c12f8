#pragma once
// How the world's textured surfaces draw: source-alpha blending, colour from the texture and
// opacity from the vertex colour.
#include "platform/d3d8.h"

void UseAlphaBlending(IDirect3DDevice8* device);
// Stage 0 takes its colour from the texture and its alpha from the vertex colour. Callers leave
// it set after drawing: the objects drawn next rely on it (see OceanAnimation::Render).
void UseTextureColourDiffuseAlpha(IDirect3DDevice8* device);
