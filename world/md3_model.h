#pragma once
// A model in the MD3 format turned into Direct3D buffers: per surface one vertex buffer per
// animation frame and one index buffer, and on request a texture named by the surface's first
// shader. Surfaces can animate on their own, timed by the system clock.
#include <cstdint>
#include <vector>

#include "platform/d3d8.h"
#include "world/md3_file.h"

// A surface's buffers and animation; its records are the file's surface of the same number.
struct Md3Surface {
  uint32_t now = 0;         // clock reading at the last draw of an animated surface
  uint32_t lastChange = 0;  // clock reading at the last frame change
  uint32_t currentFrame = 0;
  uint32_t frameInterval = 0;  // milliseconds per animation frame
  bool animated = false;
  std::vector<IDirect3DVertexBuffer8*> frames;  // frame f's vertices, null where none was made
  IDirect3DIndexBuffer8* indexBuffer = nullptr;
  IDirect3DTexture8* texture = nullptr;
};

class Md3Model {
 public:
  Md3Model() = default;
  ~Md3Model();
  Md3Model(const Md3Model&) = delete;
  Md3Model& operator=(const Md3Model&) = delete;

  // Reads the file and builds every surface: vertices white with alpha's low 8 bits as their
  // opacity, positions as stored. With a texture directory each surface gets the texture its
  // first shader names: "USEDEFAULT" takes the name as stored, any other directory the name's
  // last part inside it; a texture that doesn't load leaves the surface untextured. False, with
  // nothing built and the file and reason said on standard error, when the file can't be read,
  // doesn't hold a sound model or its buffers would pass the model's budgets.
  bool Load(const char* fileName, const char* textureDirectory, IDirect3DDevice8* device,
            int alpha);
  // Draws every surface at its current frame; false at the first draw that fails.
  bool Draw(IDirect3DDevice8* device);
  // False when the surface or frame doesn't exist.
  bool SetFrame(size_t surface, uint32_t frame);
  // Makes a surface of two frames or more advance by itself; false for 0 frames per second.
  bool SetAnimationSpeed(size_t surface, uint16_t framesPerSecond);
  // The same for every surface; false for 0 frames per second.
  bool SetAnimationSpeed(uint16_t framesPerSecond);

  // Hands a buffer over to the caller, who releases it; the model then no longer holds it.
  IDirect3DVertexBuffer8* TakeFrameVertices(size_t surface, size_t frame);
  IDirect3DIndexBuffer8* TakeIndices(size_t surface);

  const Md3File& File() const { return file_; }
  const std::vector<Md3Surface>& Surfaces() const { return surfaces_; }

 private:
  void Release();
  void BuildSurface(const Md3SurfaceData& data, const char* textureDirectory, D3DCOLOR color,
                    IDirect3DDevice8* device, Md3Surface* surface);

  Md3File file_;
  std::vector<Md3Surface> surfaces_;
};
