#include "world/sky_dome.h"

#include <cstring>

#include "gfx/d3dx_matrix.h"
#include "gfx/render_state_block.h"
#include "gfx/render_target_scope.h"
#include "gfx/scene_vertex.h"
#include "gfx/surface_drawing.h"
#include "platform/files.h"
#include "world/md3_model.h"

namespace {

constexpr int kDomeAlpha = 128;  // the dome's vertices are about half opaque
constexpr UINT kCloudTextureSize = 256;
constexpr D3DCOLOR kCloudGround = 0x000000FF;  // blue
constexpr UINT kNoiseSizes[SkyDome::kNoiseLayers] = {128, 64, 32, 16};

// The full-target quad of the cloud pass. It overhangs the target by 0.15 on every side, so
// layers drifted that far still cover it; its triangles run clockwise on screen.
constexpr SceneVertex kCloudQuad[] = {{-1.15f, -1.15f, 0.0f, 0xFFFFFFFF, 0.0f, 1.0f},
                                      {-1.15f, 1.15f, 0.0f, 0xFFFFFFFF, 0.0f, 0.0f},
                                      {1.15f, 1.15f, 0.0f, 0xFFFFFFFF, 1.0f, 0.0f},
                                      {1.15f, -1.15f, 0.0f, 0xFFFFFFFF, 1.0f, 1.0f}};

// Integer-hash value noise. The layer's size doesn't enter it, so a smaller layer is the
// top-left corner of a larger one, magnified when drawn over the same quad.
uint16_t NoiseTexel(uint32_t x, uint32_t y) {
  const uint32_t n = x + 57 * y;
  const uint32_t h = (n * (n * n * 15731u + 789221u) - 771171059u) & 0x7FFFFFFF;
  const float value = 1.0f - static_cast<float>(h) * 9.313226e-10f;  // 1 - h / 2^30
  const auto level = static_cast<uint16_t>((value + 1.0f) * 8.0f);
  return static_cast<uint16_t>(level * 0x1111);  // a grey whose alpha equals its brightness
}

IDirect3DTexture8* MakeNoiseTexture(UINT size, IDirect3DDevice8* device) {
  IDirect3DTexture8* texture = nullptr;
  D3DLOCKED_RECT locked{};
  if (FAILED(device->CreateTexture(size, size, 1, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED, &texture))) {
    return nullptr;
  }
  if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) {
    texture->Release();
    return nullptr;
  }
  for (UINT y = 0; y < size; ++y) {
    auto* row = reinterpret_cast<uint16_t*>(static_cast<BYTE*>(locked.pBits) + y * locked.Pitch);
    for (UINT x = 0; x < size; ++x) row[x] = NoiseTexel(x, y);
  }
  texture->UnlockRect(0);
  return texture;
}

void ClearClouds(IDirect3DDevice8* device) {
  device->Clear(0, nullptr, D3DCLEAR_TARGET, kCloudGround, 1.0f, 0);
}

}  // namespace

SkyDome::~SkyDome() {
  Release();
}

void SkyDome::Release() {
  enabled_ = false;
  for (IDirect3DTexture8*& layer : noiseLayers_) SafeRelease(layer);
  SafeRelease(cloudTexture_);
  SafeRelease(quadVertices_);
  SafeRelease(domeVertices_);
  SafeRelease(domeIndices_);
  drift_ = CloudDrift();
  vertexCount_ = triangleCount_ = 0;
}

bool SkyDome::Init(IDirect3DDevice8* device, const char* modelFile) {
  Release();
  if (!modelFile) return true;
  if (!device || !LoadDome(device, modelFile)) return false;
  enabled_ = true;
  for (size_t i = 0; i < kNoiseLayers; ++i) {
    noiseLayers_[i] = MakeNoiseTexture(kNoiseSizes[i], device);
  }
  MakeClouds(device);
  return true;
}

bool SkyDome::LoadDome(IDirect3DDevice8* device, const char* modelFile) {
  Md3Model model;
  if (!model.Load(modelFile, nullptr, device, kDomeAlpha)) return false;
  // The dome is the first surface at its first frame; without both there is nothing to draw.
  domeVertices_ = model.TakeFrameVertices(0, 0);
  domeIndices_ = model.TakeIndices(0);
  if (!domeVertices_ || !domeIndices_) {
    SafeRelease(domeVertices_);
    SafeRelease(domeIndices_);
    ReportOnce(HostPath(modelFile) + ": no first surface with vertices and triangles to draw");
    return false;
  }
  const Md3SurfaceHeader& surface = model.File().surfaces[0].header;
  vertexCount_ = static_cast<UINT>(surface.vertexCount);
  triangleCount_ = static_cast<UINT>(surface.triangleCount);
  return true;
}

void SkyDome::MakeClouds(IDirect3DDevice8* device) {
  device->CreateTexture(kCloudTextureSize, kCloudTextureSize, 1, D3DUSAGE_RENDERTARGET,
                        D3DFMT_R5G6B5, D3DPOOL_DEFAULT, &cloudTexture_);
  BYTE* bytes = nullptr;
  if (SUCCEEDED(device->CreateVertexBuffer(sizeof kCloudQuad, D3DUSAGE_DYNAMIC, kSceneVertexFormat,
                                           D3DPOOL_DEFAULT, &quadVertices_)) &&
      SUCCEEDED(quadVertices_->Lock(0, 0, &bytes, 0))) {
    std::memcpy(bytes, kCloudQuad, sizeof kCloudQuad);
    quadVertices_->Unlock();
  }
  // Plain blue until the first frame blends the layers in.
  RenderTargetScope target(device);
  if (target.DrawInto(cloudTexture_)) ClearClouds(device);
}

bool SkyDome::Render(IDirect3DDevice8* device) {
  if (!enabled_) return true;
  // When the clouds can't be recomposed the dome shows the previous frame's.
  UpdateClouds(device);
  // Blending and clockwise culling stay set after the dome, as the scene's base state has them.
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
  UseAlphaBlending(device);
  // The clouds' colour at the vertices' opacity, about one half.
  device->SetTexture(0, cloudTexture_);
  UseTextureColourDiffuseAlpha(device);
  DrawSceneMesh(device, domeVertices_, domeIndices_, vertexCount_, triangleCount_);
  device->SetTexture(0, nullptr);
  return true;
}

bool SkyDome::UpdateClouds(IDirect3DDevice8* device) {
  const float drift = drift_.Step();
  constexpr D3DRENDERSTATETYPE kChanged[] = {D3DRS_ZENABLE, D3DRS_CULLMODE};
  const RenderStateBlock saved(device, kChanged, {}, kSceneTransforms);
  RenderTargetScope target(device);
  if (!target.DrawInto(cloudTexture_)) return false;

  device->SetRenderState(D3DRS_ZENABLE, FALSE);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_CCW);  // keeps the quad's clockwise triangles
  D3DXMATRIX identity, projection;
  D3DXMatrixIdentity(&identity);
  D3DXMatrixOrthoLH(&projection, 2.0f, 2.0f, -1.0f, 1.0f);
  device->SetTransform(D3DTS_VIEW, &identity);
  device->SetTransform(D3DTS_PROJECTION, &projection);
  ClearClouds(device);

  // Each layer blends its grey over what is there by its own alpha, which equals its
  // brightness: bright noise lightens the blue. Stage 0 stays so; Render sets it for the dome.
  UseAlphaBlending(device);
  UseTextureColour(device, D3DTA_TEXTURE);
  if (FAILED(device->SetStreamSource(0, quadVertices_, sizeof(SceneVertex))) ||
      FAILED(device->SetVertexShader(kSceneVertexFormat))) {
    return false;
  }
  DrawLayers(device, drift);
  return true;
}

void SkyDome::DrawLayers(IDirect3DDevice8* device, float drift) {
  // Neighbouring layers slide in opposite directions; the last, coarsest gives the large shapes.
  for (size_t i = 0; i < kNoiseLayers; ++i) {
    const float offset = i % 2 == 0 ? drift : -drift;
    D3DXMATRIX world;
    D3DXMatrixTranslation(&world, offset, offset, 0.0f);
    device->SetTransform(D3DTS_WORLD, &world);
    device->SetTexture(0, noiseLayers_[i]);
    device->DrawPrimitive(D3DPT_TRIANGLEFAN, 0, 2);
  }
}
