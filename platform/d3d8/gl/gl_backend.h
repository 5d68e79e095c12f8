#pragma once
// The OpenGL 3.3 core backend. The back buffer is an offscreen framebuffer whose row 0 is the
// top of the picture; Present flips and scales it onto the window.
#include <SDL2/SDL_video.h>
#include <epoxy/gl.h>

#include <memory>
#include <string>

#include "platform/d3d8/device_backend.h"

class GlBackend final : public DeviceBackend {
 public:
  static std::unique_ptr<GlBackend> Create(SDL_Window* window, const BackBufferSpec& spec,
                                           std::string* error);
  ~GlBackend() override;

  void SetDeviceSurfaces(const IDirect3DSurface8*, const IDirect3DSurface8*) override {}
  void Clear(const PipelineState& state, const D3DRECT& area, DWORD flags, D3DCOLOR color,
             float z) override;
  void Draw(const DrawCall&) override {}
  void RenderTargetChanged(const IDirect3DSurface8*, const IDirect3DSurface8*) override {}
  void Present() override;
  bool ReadBackBuffer(BackBufferImage* image) override;
  void TextureDestroyed(const IDirect3DTexture8*) override {}
  void BufferDestroyed(const BufferResource*) override {}
  void AddCounters(DeviceCounters*) const override {}
  void ResetCounters() override {}

 private:
  GlBackend(SDL_Window* window, SDL_GLContext context, const BackBufferSpec& spec);
  bool CreateBackBuffer(std::string* error);

  SDL_Window* window_;
  SDL_GLContext context_;
  BackBufferSpec spec_;
  GLuint framebuffer_ = 0;
  GLuint colorBuffer_ = 0;
  GLuint depthBuffer_ = 0;
};
