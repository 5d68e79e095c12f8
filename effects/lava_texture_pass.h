#pragma once
// The island's texture after the eruption: the volcano's colour image with a lava stream added
// over a square that grows from the crater by a quarter of the image's half-width each second,
// recomposed every frame into a small 256 x 256 render target.
#include "platform/d3d8.h"

class LavaTexturePass {
 public:
  static constexpr UINT kTargetSize = 256;
  // Growth stops at the first half-width above this, after about twenty seconds.
  static constexpr float kMaxScale = 5.0f;
  static constexpr float kGrowthPerSecond = 0.25f;

  LavaTexturePass() = default;
  ~LavaTexturePass() { Release(); }
  LavaTexturePass(const LavaTexturePass&) = delete;
  LavaTexturePass& operator=(const LavaTexturePass&) = delete;

  // Loads the two images and makes the target. What is missing is no failure here; the pass
  // then draws nothing.
  void Init(const char* volcanoFile, const char* streamFile, IDirect3DDevice8* device);
  // Grows the stream by seconds and composes the picture with the unit quad, inside the frame's
  // scene. Every state, transform and the frame's target are as before when it returns; false
  // when nothing new was composed.
  bool Render(IDirect3DVertexBuffer8* quad, float seconds, IDirect3DDevice8* device);
  void Release();

  IDirect3DTexture8* Target() const { return target_; }
  // The stream square's half-width in the target's units (the target spans -1 to 1).
  float Scale() const { return scale_; }

 private:
  bool DrawQuad(IDirect3DTexture8* texture, IDirect3DVertexBuffer8* quad, IDirect3DDevice8* device);

  IDirect3DTexture8* volcanoTexture_ = nullptr;
  IDirect3DTexture8* streamTexture_ = nullptr;
  IDirect3DTexture8* target_ = nullptr;
  float scale_ = 0.0f;
};
