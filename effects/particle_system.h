#pragma once
// A point-sprite emitter: a fixed pool of particles born at one point with a random velocity
// inside a box, drifting in a straight line, fading out and dying after three seconds. Drawn as
// one list of textured sprites that add their colour to the scene without writing depth.
#include <cstdint>
#include <span>
#include <vector>

#include "gfx/d3dx_vector3.h"
#include "platform/d3d8.h"

struct Particle {
  bool active;
  float size;
  float lifetime;  // seconds
  float age;       // seconds
  float alpha;     // 255 at birth, falling to 0
  D3DCOLOR colour;
  D3DXVECTOR3 position;
  D3DXVECTOR3 velocity;  // before the emitter's speed factor
};

// The vertex buffer's layout: position, point size, colour.
struct ParticleVertex {
  float x, y, z;
  float size;
  D3DCOLOR colour;
};
static_assert(sizeof(ParticleVertex) == 20, "particles are drawn with a 20-byte stride");

constexpr DWORD kParticleVertexFormat = D3DFVF_XYZ | D3DFVF_PSIZE | D3DFVF_DIFFUSE;  // 0x62

class ParticleSystem {
 public:
  static constexpr int kPoolSize = 500;
  // The puff that the smoke column and the fires' plumes are drawn with.
  static constexpr const char* kSmokeFile = "textures\\smoke.bmp";

  ParticleSystem();
  ~ParticleSystem() { Release(); }
  ParticleSystem(const ParticleSystem&) = delete;
  ParticleSystem& operator=(const ParticleSystem&) = delete;

  // Births per second lie between minRate and maxRate; each velocity component between those
  // of minVelocity and maxVelocity, times speed. False when the texture doesn't load or the
  // vertex buffer can't be made.
  bool Init(IDirect3DDevice8* device, const char* textureFile, int32_t minRate, int32_t maxRate,
            D3DXVECTOR3 position, float speed, D3DXVECTOR3 minVelocity, D3DXVECTOR3 maxVelocity);
  // Ages and moves the living particles, then gives birth to this update's share of the rate
  // unless emit is false. Always true.
  bool Update(uint32_t elapsedMs, bool emit);
  // Draws the living particles in the transforms in force; false when the buffer can't be
  // filled (nothing is drawn then).
  bool Render(IDirect3DDevice8* device);
  void Release();

  // Draws the particles with texture from now on, holding a reference of its own and letting go
  // of the one it had; handing over the texture it already has is harmless.
  void ReplaceTexture(IDirect3DTexture8* texture);
  // Particles born from now on draw their velocity between these bounds.
  void SetVelocityRange(const D3DXVECTOR3& minVelocity, const D3DXVECTOR3& maxVelocity);

  int LiveCount() const { return liveCount_; }
  float EmitCarry() const { return emitCarry_; }
  std::span<const Particle> Particles() const { return particles_; }
  IDirect3DTexture8* Texture() const { return texture_; }

 private:
  void Age(float dt);
  int BirthCount(float dt, bool emit);
  void Emit(int count);
  bool FillVertices();

  int32_t minRate_ = 0;
  int32_t maxRate_ = 0;
  int liveCount_ = 0;
  float emitCarry_ = 0.0f;  // the fraction of a birth carried to the next update
  float speed_ = 0.0f;
  IDirect3DTexture8* texture_ = nullptr;
  IDirect3DVertexBuffer8* vertexBuffer_ = nullptr;
  D3DXVECTOR3 minVelocity_;
  D3DXVECTOR3 maxVelocity_;
  D3DXVECTOR3 position_;
  std::vector<Particle> particles_;
};
