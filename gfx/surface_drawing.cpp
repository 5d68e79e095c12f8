#include "gfx/surface_drawing.h"

#include "gfx/scene_vertex.h"

void UseAlphaBlending(IDirect3DDevice8* device) {
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
}

void UseAdditiveBlending(IDirect3DDevice8* device) {
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
}

void UseTextureColour(IDirect3DDevice8* device, DWORD alphaArgument) {
  device->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  device->SetTextureStageState(0, D3DTSS_ALPHAARG1, alphaArgument);
  device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
}

void UseTextureColourDiffuseAlpha(IDirect3DDevice8* device) {
  UseTextureColour(device, D3DTA_DIFFUSE);
}

bool DrawSceneMesh(IDirect3DDevice8* device, IDirect3DVertexBuffer8* vertices,
                   IDirect3DIndexBuffer8* indices, UINT vertexCount, UINT triangleCount) {
  return SUCCEEDED(device->SetVertexShader(kSceneVertexFormat)) &&
         SUCCEEDED(device->SetStreamSource(0, vertices, sizeof(SceneVertex))) &&
         SUCCEEDED(device->SetIndices(indices, 0)) &&
         SUCCEEDED(
             device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, vertexCount, 0, triangleCount));
}
