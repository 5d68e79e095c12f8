#pragma once
// The OpenGL backend: carries out the device's draws with programs generated per
// fixed-function state combination, GL copies of textures and buffers, and framebuffers for
// every target. Every target, the back buffer included, is stored top row first; Present
// flips and scales the back buffer onto the window. The back buffer is drawn at the size it is
// shown at, or at a fixed size: the program's coordinates on it (viewports, cleared areas) are
// mapped onto the pixels drawn, and its own stay unchanged.
#include <SDL2/SDL_video.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/d3d8/device_backend.h"
#include "platform/d3d8/gl/buffer_cache.h"
#include "platform/d3d8/gl/draw_batcher.h"
#include "platform/d3d8/gl/gl_context.h"
#include "platform/d3d8/gl/gl_state_cache.h"
#include "platform/d3d8/gl/render_target_cache.h"
#include "platform/d3d8/gl/sampler_cache.h"
#include "platform/d3d8/gl/shader_program_cache.h"
#include "platform/d3d8/gl/stream_buffer.h"
#include "platform/d3d8/gl/texture_array_pool.h"
#include "platform/d3d8/gl/texture_cache.h"
#include "platform/d3d8/gl/unmodelled_states.h"
#include "platform/d3d8/gl/vertex_input.h"

class GlBackend final : public DeviceBackend {
 public:
  static std::unique_ptr<GlBackend> Create(SDL_Window* window, const BackBufferSpec& spec,
                                           std::string* error);
  ~GlBackend() override;

  void SetDeviceSurfaces(const IDirect3DSurface8* backBuffer,
                         const IDirect3DSurface8* depthBuffer) override;
  void Clear(const PipelineState& state, const D3DRECT& area, DWORD flags, D3DCOLOR color,
             float z) override;
  void Draw(const DrawCall& call) override;
  void RenderTargetChanged(const IDirect3DSurface8* renderTarget,
                           const IDirect3DSurface8* depthStencil) override;
  void Present() override;
  bool ReadBackBuffer(BackBufferImage* image) override;
  void TextureDestroyed(const IDirect3DTexture8* texture) override;
  void BufferDestroyed(const BufferResource* buffer) override;
  void AddCounters(DeviceCounters* counters) const override;
  void ResetCounters() override;

 private:
  GlBackend(GlContext context, SDL_Window* window, const BackBufferSpec& spec);

  void Merge(const DrawCall& call, const VertexLayout& layout, DrawSettings settings,
             IDirect3DTexture8* texture);
  void Flush();
  void DrawDirect(const DrawCall& call, const VertexLayout& layout, const DrawSettings& settings,
                  IDirect3DTexture8* texture);
  void DrawPointSquares(const DrawCall& call, const VertexLayout& layout,
                        const DrawSettings& settings);
  // Binds what settings ask for, with world in front of the view; false when the program of
  // the combination does not build.
  bool Apply(const DrawSettings& settings, const Matrix4& world);
  // An area of the target in the program's coordinates, in the target's pixels.
  ViewportState OnTarget(const ViewportState& area, const IDirect3DSurface8* target) const;
  // The picture's place in the window: all of it, or in full screen the largest area of the
  // picture's shape, centred between black bars.
  void PictureArea(int* x, int* y, int* width, int* height) const;
  // A window's picture follows the size it is shown at, drawn at it from the next frame on.
  void FollowWindow(int width, int height);

  GlContext context_;  // first: made before and deleted after everything below
  SDL_Window* window_;
  BackBufferSpec spec_;
  DeviceCounters counters_;
  GlStateCache state_;
  VertexInput input_;
  StreamBuffer stream_;
  BufferCache buffers_;
  TextureCache textures_;
  TextureArrayPool arrays_;
  SamplerCache samplers_;
  RenderTargetCache targets_;
  ShaderProgramCache programs_;
  DrawBatcher batcher_;
  UnmodelledStates unmodelled_;
  std::vector<uint8_t> gathered_;  // indexed points, gathered in index order
};
