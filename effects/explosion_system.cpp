#include "effects/explosion_system.h"

#include <cmath>
#include <numbers>

#include "gfx/d3dx_matrix.h"
#include "gfx/render_state_block.h"
#include "gfx/scene_vertex.h"
#include "gfx/surface_drawing.h"
#include "gfx/texture_file.h"

namespace {

// The ring at rest: 3 to 5 units from the island's axis, at the height of the crater.
constexpr float kRingOuterRadius = 5.0f;
constexpr float kRingWidth = 2.0f;
constexpr float kRingHeight = 5.0f;
constexpr float kRingGrowthPerSecond = 25.0f;  // in scale: the radii grow 25-fold a second
// More segments than any ring needs; the buffer of the most stays small.
constexpr int kMaxSegments = 1 << 16;

// The debris: about a hundred glowing fragments thrown in every direction from the crater.
constexpr int32_t kDebrisMinRate = 100;
constexpr int32_t kDebrisMaxRate = 110;
constexpr D3DXVECTOR3 kDebrisOrigin(0.5f, 6.7f, 0.0f);
constexpr float kDebrisSpeed = 5.0f;
constexpr D3DXVECTOR3 kDebrisMinVelocity(-5.0f, -5.0f, -5.0f);
constexpr D3DXVECTOR3 kDebrisMaxVelocity(5.0f, 5.0f, 5.0f);

constexpr D3DRENDERSTATETYPE kRingStates[] = {D3DRS_CULLMODE, D3DRS_ALPHABLENDENABLE,
                                              D3DRS_SRCBLEND, D3DRS_DESTBLEND, D3DRS_ZWRITEENABLE};
constexpr D3DTRANSFORMSTATETYPE kRingTransforms[] = {D3DTS_WORLD};

SceneVertex RingPoint(float radius, float degrees, float height, D3DCOLOR colour, float u,
                      float v) {
  const float radians = degrees * std::numbers::pi_v<float> / 180.0f;
  return {radius * std::sin(radians), height, radius * std::cos(radians), colour, u, v};
}

}  // namespace

ExplosionSystem::~ExplosionSystem() {
  SafeRelease(ringVertexBuffer_);
  SafeRelease(shockwaveTexture_);
}

bool ExplosionSystem::Init(const char* shockwaveFile, const char* debrisFile, int segments,
                           IDirect3DDevice8* device) {
  ringScale_ = 1.0f;
  ReloadTexture(device, shockwaveFile, &shockwaveTexture_);
  if (!BuildRing(segments, kRingOuterRadius, kRingWidth, kRingHeight, 255, device)) return false;
  debris_ = std::make_unique<ParticleSystem>();
  if (!debris_->Init(device, debrisFile, kDebrisMinRate, kDebrisMaxRate, kDebrisOrigin,
                     kDebrisSpeed, kDebrisMinVelocity, kDebrisMaxVelocity)) {
    return false;
  }
  // One second's births, waiting at the crater: the only burst there will be.
  debris_->Update(1000, true);
  return true;
}

// Each segment is two triangles that map the whole texture: u along the ring, v from the outer
// edge (0) to the inner (1).
bool ExplosionSystem::BuildRing(int segments, float outerRadius, float width, float height,
                                uint8_t alpha, IDirect3DDevice8* device) {
  if (segments <= 0 || segments > kMaxSegments) return false;
  ringVertexCount_ = 6 * segments;
  SafeRelease(ringVertexBuffer_);
  BYTE* data = nullptr;
  if (FAILED(device->CreateVertexBuffer(ringVertexCount_ * sizeof(SceneVertex), D3DUSAGE_WRITEONLY,
                                        kSceneVertexFormat, D3DPOOL_MANAGED, &ringVertexBuffer_)) ||
      FAILED(ringVertexBuffer_->Lock(0, 0, &data, 0))) {
    return false;
  }
  const float inner = outerRadius - width;
  const float step = 360.0f / static_cast<float>(segments);
  const D3DCOLOR colour = D3DCOLOR{alpha} << 24 | 0x00FFFFFF;
  auto* vertex = reinterpret_cast<SceneVertex*>(data);
  for (int k = 0; k < segments; ++k) {
    const float a = static_cast<float>(k) * step, b = a + step;
    *vertex++ = RingPoint(inner, a, height, colour, 0.0f, 1.0f);
    *vertex++ = RingPoint(outerRadius, a, height, colour, 0.0f, 0.0f);
    *vertex++ = RingPoint(inner, b, height, colour, 1.0f, 1.0f);
    *vertex++ = RingPoint(outerRadius, a, height, colour, 0.0f, 0.0f);
    *vertex++ = RingPoint(outerRadius, b, height, colour, 1.0f, 0.0f);
    *vertex++ = RingPoint(inner, b, height, colour, 1.0f, 1.0f);
  }
  return SUCCEEDED(ringVertexBuffer_->Unlock());
}

bool ExplosionSystem::Render(IDirect3DDevice8* device, uint32_t elapsedMs) {
  // Tested before the time is added: a first call of any length still draws.
  if (!debris_ || elapsed_ > kDurationMs) return false;
  elapsed_ += elapsedMs;
  // Never asked to emit again: the burst flies out and fades.
  debris_->Update(elapsedMs, false);
  debris_->Render(device);
  return RenderRing(device, elapsedMs);
}

// Added to the scene, from both sides, centred on the island's axis and widening. The sea and
// the sky are drawn after it: the ring leaves the depth unwritten, so they still fill its band
// and it glows over them instead of cutting them away.
bool ExplosionSystem::RenderRing(IDirect3DDevice8* device, uint32_t elapsedMs) {
  device->SetVertexShader(kSceneVertexFormat);
  device->SetStreamSource(0, ringVertexBuffer_, sizeof(SceneVertex));
  device->SetTexture(0, shockwaveTexture_);
  const RenderStateBlock saved(device, kRingStates, {}, kRingTransforms);
  device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  UseAdditiveBlending(device);
  ringScale_ += static_cast<float>(elapsedMs) * 0.001f * kRingGrowthPerSecond;
  D3DXMATRIX scale;
  D3DXMatrixScaling(&scale, ringScale_, 1.0f, ringScale_);
  device->SetTransform(D3DTS_WORLD, &scale);
  device->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  return SUCCEEDED(device->DrawPrimitive(D3DPT_TRIANGLELIST, 0, ringVertexCount_ / 3));
}
