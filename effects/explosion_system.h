#pragma once
// The eruption's blast: one burst of debris thrown out of the crater and a flat shock-wave ring
// spreading over the island, added to the scene. It runs for two seconds of its own time from
// the first Render, and then draws nothing for good.
#include <cstdint>
#include <memory>

#include "effects/particle_system.h"
#include "platform/d3d8.h"

class ExplosionSystem {
 public:
  static constexpr uint32_t kDurationMs = 2000;

  ExplosionSystem() = default;
  ~ExplosionSystem();
  ExplosionSystem(const ExplosionSystem&) = delete;
  ExplosionSystem& operator=(const ExplosionSystem&) = delete;

  // A ring of segments quads and the debris burst. A missing shock-wave texture leaves the ring
  // untextured; a missing debris texture or a ring that can't be built fails.
  bool Init(const char* shockwaveFile, const char* debrisFile, int segments,
            IDirect3DDevice8* device);
  // Runs the effect on by elapsedMs and draws it in the transforms in force; false, drawing
  // nothing, once it is over.
  bool Render(IDirect3DDevice8* device, uint32_t elapsedMs);

 private:
  bool BuildRing(int segments, float outerRadius, float width, float height, uint8_t alpha,
                 IDirect3DDevice8* device);
  bool RenderRing(IDirect3DDevice8* device, uint32_t elapsedMs);

  std::unique_ptr<ParticleSystem> debris_;
  uint32_t elapsed_ = 0;
  int ringVertexCount_ = 0;
  float ringScale_ = 1.0f;
  IDirect3DVertexBuffer8* ringVertexBuffer_ = nullptr;
  IDirect3DTexture8* shockwaveTexture_ = nullptr;
};
