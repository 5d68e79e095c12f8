#include "effects/fire_billboards.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "gfx/d3dx_matrix.h"
#include "gfx/render_state_block.h"
#include "gfx/scene_vertex.h"
#include "gfx/surface_drawing.h"

namespace {

constexpr D3DRENDERSTATETYPE kChangedStates[] = {D3DRS_ALPHABLENDENABLE, D3DRS_SRCBLEND,
                                                 D3DRS_DESTBLEND, D3DRS_ZWRITEENABLE};

// A small, fast-cooling fire in 16-bit colour.
constexpr int kFireSize = 16;
constexpr int kFireSeedRunWidth = 3;
constexpr int kFireCooling = 10;
constexpr int kFireSeedBias = 26;
// Four to eight puffs a second, 0.45 units above each fire once scaled, rising with a little
// sideways drift.
constexpr D3DXVECTOR3 kSmokeOrigin(0.0f, 1.5f, 0.0f);
constexpr D3DXVECTOR3 kSmokeMinVelocity(-0.5f, 1.0f, -0.5f);
constexpr D3DXVECTOR3 kSmokeMaxVelocity(0.5f, 1.0f, 0.5f);

// How much of the fire shows a distance from the nearest edge: none at the edge, all of it from
// width on.
float Fade(float distance, float width) {
  return std::min(1.0f, distance / width);
}

// Across, the fire fades over half the quad to each side; upward it fades in over the few rows
// above the black seed row, and out again near the top, so its flames keep their light.
float FadeAt(int x, int y) {
  const float across = std::min(x + 0.5f, kFireSize - x - 0.5f);
  const float up = std::min(kFireSize - 1 - y - 0.5f, y + 0.5f);
  return Fade(across, kFireSize / 2.0f) * Fade(up, 3.5f);
}

// An R5G6B5 texel with every channel scaled by weight.
uint16_t Scaled(uint16_t texel, float weight) {
  auto channel = [&](int shift, int top) {
    const int value = static_cast<int>(std::lround(((texel >> shift) & top) * weight));
    return static_cast<uint16_t>(value << shift);
  };
  return channel(11, 31) | channel(5, 63) | channel(0, 31);
}

// The fire texture's colour, opacity from the quad's opaque white, through stream 0's quad.
void UseFireQuad(IDirect3DTexture8* fire, IDirect3DVertexBuffer8* quad, IDirect3DDevice8* device) {
  device->SetTexture(0, fire);
  UseTextureColourDiffuseAlpha(device);
  device->SetStreamSource(0, quad, sizeof(SceneVertex));
  device->SetVertexShader(kSceneVertexFormat);
}

}  // namespace

bool FireBillboards::Init(const char* paletteFile, const char* smokeFile,
                          IDirect3DDevice8* device) {
  Release();
  fire_ = std::make_unique<FireEffect>();
  if (!fire_->Init(kFireSize, paletteFile, kFireSeedRunWidth, kFireCooling, kFireSeedBias, true,
                   device)) {
    return false;
  }
  SoftenEdges();
  smoke_ = std::make_unique<ParticleSystem>();
  return smoke_->Init(device, smokeFile, 4, 8, kSmokeOrigin, 1.0f, kSmokeMinVelocity,
                      kSmokeMaxVelocity);
}

void FireBillboards::Release() {
  smoke_.reset();
  fire_.reset();
}

void FireBillboards::Update(uint32_t elapsedMs) {
  smoke_->Update(elapsedMs, true);
  if (fire_->Update()) SoftenEdges();
}

// The fire's hottest row lies along the quad's bottom edge and its flames fill the quad to the
// sides, which would show as a square of light. The texture is 16-bit R5G6B5.
void FireBillboards::SoftenEdges() {
  IDirect3DTexture8* texture = fire_->Texture();
  D3DLOCKED_RECT locked{};
  if (FAILED(texture->LockRect(0, &locked, nullptr, 0))) return;
  for (int y = 0; y < kFireSize; ++y) {
    auto* row = static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch;
    for (int x = 0; x < kFireSize; ++x) {
      uint16_t texel = 0;
      std::memcpy(&texel, row + 2 * x, 2);
      texel = Scaled(texel, FadeAt(x, y));
      std::memcpy(row + 2 * x, &texel, 2);
    }
  }
  texture->UnlockRect(0);
}

void FireBillboards::Render(IDirect3DVertexBuffer8* quad, IDirect3DDevice8* device) {
  // Black parts of the fire add nothing; bright parts glow over what lies behind. Unwritten
  // depth keeps the black from hiding the sea drawn after the fires.
  const RenderStateBlock saved(device, kChangedStates);
  device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  UseAdditiveBlending(device);
  D3DXMATRIX scale, move, world;
  D3DXMatrixScaling(&scale, kFireScale, kFireScale, kFireScale);
  for (const D3DXVECTOR3& centre : kFireCentres) {
    // The smoke's draw changes the stage and the stream, so each fire sets them again.
    UseFireQuad(fire_->Texture(), quad, device);
    D3DXMatrixTranslation(&move, centre.x, centre.y, centre.z);
    D3DXMatrixMultiply(&world, &scale, &move);
    device->SetTransform(D3DTS_WORLD, &world);
    device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 2);
    // One set of particles, drawn in every fire's frame: five identical plumes.
    smoke_->Render(device);
  }
}
