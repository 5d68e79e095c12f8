#pragma once
// The sea: a grid at sea level whose every vertex drifts inside a small box around its rest
// position, each axis bouncing between the box's faces at a randomly varying speed. Drawn
// half-transparent with one tiled water texture.
#include <cstdint>
#include <vector>

#include "platform/d3d8.h"

struct VertexMotion {
  float maxX, maxY, maxZ;
  float minX, minY, minZ;
  float currentX, currentY, currentZ;
  uint8_t directionX, directionY, directionZ;  // 1: toward the maximum
};

class OceanAnimation {
 public:
  OceanAnimation() = default;
  ~OceanAnimation();
  OceanAnimation(const OceanAnimation&) = delete;
  OceanAnimation& operator=(const OceanAnimation&) = delete;

  // Builds the ocean, or rebuilds it in place. A texture that fails to load keeps the one
  // the ocean had.
  bool Build(const char* textureFile, D3DCOLOR color, float seaLevel, int xExtent, int zExtent,
             int a, int b, float amplitudeX, float amplitudeY, float amplitudeZ,
             IDirect3DDevice8* device);
  bool Animate(uint32_t elapsedMs);
  bool Render(IDirect3DDevice8* device, uint32_t elapsedMs);

  IDirect3DTexture8* Texture() const { return texture_; }
  const std::vector<VertexMotion>& Motions() const { return motions_; }

 private:
  bool BuildGrid(float seaLevel, int xExtent, int zExtent, D3DCOLOR color,
                 IDirect3DDevice8* device);
  void ReleaseGrid();

  std::vector<VertexMotion> motions_;
  int a_ = 0;
  int b_ = 0;
  float amplitudeX_ = 0.0f;
  float amplitudeY_ = 0.0f;
  float amplitudeZ_ = 0.0f;
  IDirect3DVertexBuffer8* vertexBuffer_ = nullptr;
  IDirect3DIndexBuffer8* indexBuffer_ = nullptr;
  IDirect3DTexture8* texture_ = nullptr;
};
