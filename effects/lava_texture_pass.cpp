#include "effects/lava_texture_pass.h"

#include "gfx/d3dx_matrix.h"
#include "gfx/d3dx_texture.h"
#include "gfx/render_state_block.h"
#include "gfx/render_target_scope.h"
#include "gfx/scene_vertex.h"
#include "gfx/surface_drawing.h"

namespace {

constexpr D3DRENDERSTATETYPE kChangedStates[] = {D3DRS_ZENABLE, D3DRS_ALPHABLENDENABLE,
                                                 D3DRS_SRCBLEND, D3DRS_DESTBLEND};

// The unit quad exactly covers the target.
void UseTargetSpace(IDirect3DDevice8* device) {
  D3DXMATRIX identity, projection;
  D3DXMatrixIdentity(&identity);
  D3DXMatrixOrthoLH(&projection, 2.0f, 2.0f, -1.0f, 1.0f);
  device->SetTransform(D3DTS_WORLD, &identity);
  device->SetTransform(D3DTS_VIEW, &identity);
  device->SetTransform(D3DTS_PROJECTION, &projection);
}

}  // namespace

void LavaTexturePass::Init(const char* volcanoFile, const char* streamFile,
                           IDirect3DDevice8* device) {
  Release();
  D3DXCreateTextureFromFileA(device, volcanoFile, &volcanoTexture_);
  D3DXCreateTextureFromFileA(device, streamFile, &streamTexture_);
  // 16-bit colour without alpha is all the island's texture needs.
  device->CreateTexture(kTargetSize, kTargetSize, 1, D3DUSAGE_RENDERTARGET, D3DFMT_R5G6B5,
                        D3DPOOL_DEFAULT, &target_);
}

void LavaTexturePass::Release() {
  SafeRelease(volcanoTexture_);
  SafeRelease(streamTexture_);
  SafeRelease(target_);
}

bool LavaTexturePass::Render(IDirect3DVertexBuffer8* quad, float seconds,
                             IDirect3DDevice8* device) {
  if (!quad || !volcanoTexture_ || !streamTexture_) return false;
  const RenderStateBlock saved(device, kChangedStates, {}, kSceneTransforms);
  RenderTargetScope target(device);
  if (!target.DrawInto(target_)) return false;

  device->SetRenderState(D3DRS_ZENABLE, FALSE);
  UseTargetSpace(device);
  device->Clear(0, nullptr, D3DCLEAR_TARGET, 0x00000000, 1.0f, 0);
  // Opacity from the quad's opaque white; the stage stays so after the pass.
  UseTextureColourDiffuseAlpha(device);
  if (!DrawQuad(volcanoTexture_, quad, device)) return false;

  // The stream adds its light onto the rock.
  UseAdditiveBlending(device);
  // Tied to time, not frames; the first value past the limit stays.
  if (scale_ <= kMaxScale) scale_ += seconds * kGrowthPerSecond;
  D3DXMATRIX spread;
  D3DXMatrixScaling(&spread, scale_, scale_, 1.0f);
  device->SetTransform(D3DTS_WORLD, &spread);
  return DrawQuad(streamTexture_, quad, device);
}

bool LavaTexturePass::DrawQuad(IDirect3DTexture8* texture, IDirect3DVertexBuffer8* quad,
                               IDirect3DDevice8* device) {
  device->SetTexture(0, texture);
  device->SetVertexShader(kSceneVertexFormat);
  device->SetStreamSource(0, quad, sizeof(SceneVertex));
  return SUCCEEDED(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2));
}
