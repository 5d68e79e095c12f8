#include "effects/particle_system.h"

#include <bit>

#include "gfx/render_state_block.h"
#include "gfx/texture_file.h"
#include "services/random_numbers.h"

namespace {

constexpr float kLifetime = 3.0f;
constexpr float kFadePerSecond = 100.0f;         // alpha falls from 255 to 0 in 2.55 s
constexpr D3DCOLOR kNewbornColour = 0x80808080;  // grey and half transparent until updated
constexpr DWORD kVertexBufferUsage = D3DUSAGE_WRITEONLY | D3DUSAGE_POINTS | D3DUSAGE_DYNAMIC;

// The states the draw changes and puts back; the point-sprite states are switched off after it
// instead, and the sizes it sets stay for the next emitter.
constexpr D3DRENDERSTATETYPE kDrawStates[] = {D3DRS_ZWRITEENABLE, D3DRS_ALPHABLENDENABLE,
                                              D3DRS_SRCBLEND, D3DRS_DESTBLEND};

DWORD FloatState(float value) {
  return std::bit_cast<DWORD>(value);
}

// A sprite's side in pixels is the viewport's height over its distance from the eye, at most
// 1000; the vertices' own size of 1 stands in for the point size set here.
void UsePointSprites(IDirect3DDevice8* device) {
  device->SetRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
  device->SetRenderState(D3DRS_POINTSCALEENABLE, TRUE);
  device->SetRenderState(D3DRS_POINTSIZE, FloatState(100.0f));
  device->SetRenderState(D3DRS_POINTSIZE_MIN, FloatState(0.0f));
  device->SetRenderState(D3DRS_POINTSIZE_MAX, FloatState(1000.0f));
  device->SetRenderState(D3DRS_POINTSCALE_A, FloatState(0.0f));
  device->SetRenderState(D3DRS_POINTSCALE_B, FloatState(0.0f));
  device->SetRenderState(D3DRS_POINTSCALE_C, FloatState(1.0f));
}

// Alpha-weighted additive blending that tests depth but leaves it unwritten, so the sprites
// need no sorting.
bool DrawAdditive(IDirect3DDevice8* device, UINT count) {
  const RenderStateBlock saved(device, kDrawStates);
  device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  device->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
  return SUCCEEDED(device->DrawPrimitive(D3DPT_POINTLIST, 0, count));
}

}  // namespace

ParticleSystem::ParticleSystem() : particles_(kPoolSize, Particle{}) {}

void ParticleSystem::Release() {
  SafeRelease(texture_);
  SafeRelease(vertexBuffer_);
  particles_.clear();
  liveCount_ = 0;
}

bool ParticleSystem::Init(IDirect3DDevice8* device, const char* textureFile, int32_t minRate,
                          int32_t maxRate, D3DXVECTOR3 position, float speed,
                          D3DXVECTOR3 minVelocity, D3DXVECTOR3 maxVelocity) {
  minRate_ = minRate;
  maxRate_ = maxRate;
  position_ = position;
  speed_ = speed;
  minVelocity_ = minVelocity;
  maxVelocity_ = maxVelocity;
  if (!ReloadTexture(device, textureFile, &texture_)) return false;
  SafeRelease(vertexBuffer_);
  return SUCCEEDED(device->CreateVertexBuffer(kPoolSize * sizeof(ParticleVertex),
                                              kVertexBufferUsage, kParticleVertexFormat,
                                              D3DPOOL_DEFAULT, &vertexBuffer_));
}

void ParticleSystem::ReplaceTexture(IDirect3DTexture8* texture) {
  if (texture) texture->AddRef();
  SafeRelease(texture_);
  texture_ = texture;
}

void ParticleSystem::SetVelocityRange(const D3DXVECTOR3& minVelocity,
                                      const D3DXVECTOR3& maxVelocity) {
  minVelocity_ = minVelocity;
  maxVelocity_ = maxVelocity;
}

bool ParticleSystem::Update(uint32_t elapsedMs, bool emit) {
  const float dt = static_cast<float>(elapsedMs) * 0.001f;
  Age(dt);
  Emit(BirthCount(dt, emit));
  return true;
}

void ParticleSystem::Age(float dt) {
  for (Particle& p : particles_) {
    if (!p.active) continue;
    p.age += dt;
    if (p.age >= p.lifetime) {
      p.active = false;
      --liveCount_;
      continue;
    }
    p.alpha -= kFadePerSecond * dt;
    if (p.alpha < 0.0f) p.alpha = 0.0f;
    p.position += p.velocity * dt * speed_;
    // White, at the alpha's whole part.
    p.colour = (static_cast<D3DCOLOR>(static_cast<int>(p.alpha)) & 0xFF) << 24 | 0x00FFFFFF;
  }
}

// Whole seconds give whole births; the fraction of a second gives a share that is carried on
// until it makes a whole one. A new rate is drawn every update, emitting or not.
int ParticleSystem::BirthCount(float dt, bool emit) {
  const int32_t rate = RandomInt(minRate_, maxRate_);
  const int whole = static_cast<int>(dt);
  int count = whole * rate;
  emitCarry_ += rate * dt - whole * rate;
  if (emitCarry_ >= 1.0f) {
    const int carried = static_cast<int>(emitCarry_);
    count += carried;
    emitCarry_ -= carried;
  }
  // Births skipped while not emitting are lost, not saved up.
  return emit ? count : 0;
}

// Births that find no free slot are dropped.
void ParticleSystem::Emit(int count) {
  for (Particle& p : particles_) {
    if (count <= 0) return;
    if (p.active) continue;
    // Drawn x, then y, then z, one statement each; equal bounds draw nothing.
    D3DXVECTOR3 velocity;
    velocity.x = RandomFloat(minVelocity_.x, maxVelocity_.x);
    velocity.y = RandomFloat(minVelocity_.y, maxVelocity_.y);
    velocity.z = RandomFloat(minVelocity_.z, maxVelocity_.z);
    p = {true, 1.0f, kLifetime, 0.0f, 255.0f, kNewbornColour, position_, velocity};
    --count;
    ++liveCount_;
  }
}

bool ParticleSystem::Render(IDirect3DDevice8* device) {
  UsePointSprites(device);
  device->SetStreamSource(0, vertexBuffer_, sizeof(ParticleVertex));
  device->SetVertexShader(kParticleVertexFormat);
  device->SetTexture(0, texture_);
  bool drawn = true;
  if (liveCount_ > 0) {
    drawn = FillVertices() && DrawAdditive(device, static_cast<UINT>(liveCount_));
  }
  // Off whatever happened above: no later draw may turn into sprites.
  device->SetRenderState(D3DRS_POINTSPRITEENABLE, FALSE);
  device->SetRenderState(D3DRS_POINTSCALEENABLE, FALSE);
  return drawn;
}

bool ParticleSystem::FillVertices() {
  BYTE* data = nullptr;
  if (!vertexBuffer_ ||
      FAILED(vertexBuffer_->Lock(0, liveCount_ * sizeof(ParticleVertex), &data, D3DLOCK_DISCARD))) {
    return false;
  }
  auto* vertex = reinterpret_cast<ParticleVertex*>(data);
  for (const Particle& p : particles_) {
    if (p.active) *vertex++ = {p.position.x, p.position.y, p.position.z, 1.0f, p.colour};
  }
  return SUCCEEDED(vertexBuffer_->Unlock());
}
