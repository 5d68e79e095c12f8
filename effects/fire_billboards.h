#pragma once
// The five small fires near the crater: flat quads showing a small burning fire texture, added
// onto the scene, each carrying the same plume of smoke. They face the negative z direction,
// where the camera stands while they burn.
#include <array>
#include <cstdint>
#include <memory>

#include "console/fire_effect.h"
#include "effects/particle_system.h"
#include "gfx/d3dx_vector3.h"
#include "platform/d3d8.h"

class FireBillboards {
 public:
  static constexpr float kFireScale = 0.3f;  // of the unit quad: 0.6 x 0.6 world units
  static constexpr std::array<D3DXVECTOR3, 5> kFireCentres = {
      D3DXVECTOR3(1.5f, 7.0f, -2.0f), D3DXVECTOR3(0.95f, 5.26f, -2.0f),
      D3DXVECTOR3(0.1f, 6.5f, -2.0f), D3DXVECTOR3(0.75f, 6.0f, -2.0f),
      D3DXVECTOR3(0.0f, 4.7f, -2.0f)};

  FireBillboards() = default;
  FireBillboards(const FireBillboards&) = delete;
  FireBillboards& operator=(const FireBillboards&) = delete;

  // The fire texture coloured from paletteFile and the smoke from smokeFile; false when either
  // can't be made.
  bool Init(const char* paletteFile, const char* smokeFile, IDirect3DDevice8* device);
  // One step of the fire and of its smoke. The fire's picture fades to black towards every edge
  // of its quad, so that no square shows where it is added onto the sea and the sky.
  void Update(uint32_t elapsedMs);
  // Draws the five fires with the unit quad, each followed by its smoke, in the view and
  // projection in force, leaving depth unwritten; the blend and depth-write states are as before
  // when it returns.
  void Render(IDirect3DVertexBuffer8* quad, IDirect3DDevice8* device);
  void Release();

  const FireEffect* Fire() const { return fire_.get(); }
  const ParticleSystem* Smoke() const { return smoke_.get(); }

 private:
  void SoftenEdges();

  std::unique_ptr<FireEffect> fire_;
  std::unique_ptr<ParticleSystem> smoke_;
};
