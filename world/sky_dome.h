#pragma once
// The sky: the first surface of a dome model, drawn half-transparent around the world's origin
// with a cloud texture that is recomposed every frame from four layers of value noise, sliding
// against each other over a blue ground.
#include <array>

#include "platform/d3d8.h"
#include "world/cloud_drift.h"

class SkyDome {
 public:
  SkyDome() = default;
  ~SkyDome();
  SkyDome(const SkyDome&) = delete;
  SkyDome& operator=(const SkyDome&) = delete;

  // Without a model file the dome is disabled: Init succeeds and nothing is drawn. False when
  // the model doesn't load or has no first surface with a first frame. Noise layers, cloud
  // texture or quad that can't be made leave the dome drawing with what exists.
  bool Init(IDirect3DDevice8* device, const char* modelFile);
  // Recomposes the clouds, then draws the dome with the transforms in force. Always true.
  bool Render(IDirect3DDevice8* device);
  // Slides the layers one frame on and blends them into the cloud texture over the blue ground.
  // Puts back the target, depth test, culling and transforms it changes; false when it can't
  // draw into the texture or set up the quad.
  bool UpdateClouds(IDirect3DDevice8* device);

  static constexpr size_t kNoiseLayers = 4;

  bool Enabled() const { return enabled_; }
  IDirect3DTexture8* CloudTexture() const { return cloudTexture_; }
  IDirect3DTexture8* NoiseLayer(size_t i) const { return noiseLayers_[i]; }
  const CloudDrift& Drift() const { return drift_; }
  UINT VertexCount() const { return vertexCount_; }
  UINT TriangleCount() const { return triangleCount_; }

 private:
  bool LoadDome(IDirect3DDevice8* device, const char* modelFile);
  void MakeClouds(IDirect3DDevice8* device);
  void DrawLayers(IDirect3DDevice8* device, float drift);
  void Release();

  bool enabled_ = false;
  IDirect3DTexture8* cloudTexture_ = nullptr;
  std::array<IDirect3DTexture8*, kNoiseLayers> noiseLayers_{};  // 128, 64, 32, 16 texels
  IDirect3DVertexBuffer8* quadVertices_ = nullptr;
  IDirect3DVertexBuffer8* domeVertices_ = nullptr;
  IDirect3DIndexBuffer8* domeIndices_ = nullptr;
  CloudDrift drift_;
  UINT vertexCount_ = 0;
  UINT triangleCount_ = 0;
};
