#pragma once
// How the world's textured surfaces draw: source-alpha blending, colour from the texture and
// opacity from the vertex colour.
#include "platform/d3d8.h"

void UseAlphaBlending(IDirect3DDevice8* device);
// Adds the colour drawn onto what is there: black adds nothing, bright glows.
void UseAdditiveBlending(IDirect3DDevice8* device);
// Stage 0 takes its colour from the texture and its alpha from alphaArgument (D3DTA_TEXTURE or
// D3DTA_DIFFUSE).
void UseTextureColour(IDirect3DDevice8* device, DWORD alphaArgument);
// Stage 0 takes its colour from the texture and its alpha from the vertex colour. Callers leave
// it set after drawing: the objects drawn next rely on it (see OceanAnimation::Render).
void UseTextureColourDiffuseAlpha(IDirect3DDevice8* device);
// Draws an indexed triangle list of scene vertices with base vertex 0; false when any step fails.
bool DrawSceneMesh(IDirect3DDevice8* device, IDirect3DVertexBuffer8* vertices,
                   IDirect3DIndexBuffer8* indices, UINT vertexCount, UINT triangleCount);
