#include "world/md3_model.h"

#include <cstring>
#include <string>
#include <utility>

#include "gfx/scene_vertex.h"
#include "gfx/surface_drawing.h"
#include "gfx/texture_file.h"
#include "platform/files.h"
#include "platform/win32.h"

namespace {

// Hundreds of times the sky dome (a few kilobytes) and more than any one model of a real-time
// scene needs; it also bounds the buffers a file can make us create (a few times its size).
constexpr uint64_t kMaxModelFileBytes = 16u << 20;
// What one model's buffers may come to: a vertex buffer per frame and an index buffer per
// surface. Far above the sky dome (two buffers of a few kilobytes) and an animated character of
// a few hundred frames alike, where a file within its size could ask for thousands of buffers
// and three times its size in vertices.
constexpr uint64_t kMaxModelBuffers = 4096;
constexpr uint64_t kMaxModelBufferBytes = 16u << 20;

// Whether the surfaces' buffers fit the model's budgets; says why not.
bool WithinBudget(const Md3File& file, std::string* reason) {
  uint64_t buffers = 0, bytes = 0;
  for (const Md3SurfaceData& surface : file.surfaces) {
    buffers += uint64_t(surface.header.frameCount) + 1;
    bytes += surface.positions.size() * sizeof(SceneVertex) +
             surface.triangles.size() * 3 * sizeof(uint16_t);
  }
  if (buffers > kMaxModelBuffers) {
    *reason = "its surfaces make " + std::to_string(buffers) + " buffers, more than the " +
              std::to_string(kMaxModelBuffers) + " a model may have";
    return false;
  }
  if (bytes > kMaxModelBufferBytes) {
    *reason = "its buffers take " + InMiB(bytes) + ", more than the " +
              InMiB(kMaxModelBufferBytes) + " a model may take";
    return false;
  }
  return true;
}

// The texture a surface's first shader names, found in directory.
std::string TexturePath(const char* directory, const std::string& shader) {
  if (std::strcmp(directory, "USEDEFAULT") == 0) return shader;
  const size_t slash = shader.find_last_of('\\');
  return std::string(directory) + "\\" +
         (slash == std::string::npos ? shader : shader.substr(slash + 1));
}

IDirect3DVertexBuffer8* FrameVertices(IDirect3DDevice8* device, const Md3SurfaceData& data,
                                      size_t frame, D3DCOLOR color) {
  const size_t count = data.texCoords.size();
  IDirect3DVertexBuffer8* buffer = nullptr;
  BYTE* bytes = nullptr;
  if (FAILED(device->CreateVertexBuffer(static_cast<UINT>(count * sizeof(SceneVertex)),
                                        D3DUSAGE_WRITEONLY, kSceneVertexFormat, D3DPOOL_DEFAULT,
                                        &buffer))) {
    return nullptr;
  }
  if (FAILED(buffer->Lock(0, 0, &bytes, 0))) {
    buffer->Release();
    return nullptr;
  }
  auto* vertex = reinterpret_cast<SceneVertex*>(bytes);
  for (size_t v = 0; v < count; ++v) {
    const Md3Position& p = data.positions[frame * count + v];
    vertex[v] = {static_cast<float>(p.x), static_cast<float>(p.y), static_cast<float>(p.z), color,
                 data.texCoords[v].s,     data.texCoords[v].t};
  }
  buffer->Unlock();
  return buffer;
}

// The triangles in file order; the reader has checked that every index fits 16 bits.
IDirect3DIndexBuffer8* Indices(IDirect3DDevice8* device, const Md3SurfaceData& data) {
  IDirect3DIndexBuffer8* buffer = nullptr;
  BYTE* bytes = nullptr;
  if (FAILED(device->CreateIndexBuffer(
          static_cast<UINT>(data.triangles.size() * 3 * sizeof(uint16_t)), D3DUSAGE_WRITEONLY,
          D3DFMT_INDEX16, D3DPOOL_DEFAULT, &buffer))) {
    return nullptr;
  }
  if (FAILED(buffer->Lock(0, 0, &bytes, 0))) {
    buffer->Release();
    return nullptr;
  }
  auto* index = reinterpret_cast<uint16_t*>(bytes);
  for (const auto& triangle : data.triangles) {
    for (int32_t corner : triangle) *index++ = static_cast<uint16_t>(corner);
  }
  buffer->Unlock();
  return buffer;
}

// At most one frame on per draw, however long since the last change.
void Advance(Md3Surface& surface, uint32_t now) {
  surface.now = now;
  if (static_cast<int32_t>(now - surface.lastChange) <=
      static_cast<int32_t>(surface.frameInterval)) {
    return;
  }
  surface.lastChange = now;
  if (++surface.currentFrame >= surface.frames.size()) surface.currentFrame = 0;
}

}  // namespace

Md3Model::~Md3Model() {
  Release();
}

void Md3Model::Release() {
  for (Md3Surface& surface : surfaces_) {
    for (IDirect3DVertexBuffer8*& frame : surface.frames) SafeRelease(frame);
    SafeRelease(surface.indexBuffer);
    SafeRelease(surface.texture);
  }
  surfaces_.clear();
  file_ = Md3File();
}

bool Md3Model::Load(const char* fileName, const char* textureDirectory, IDirect3DDevice8* device,
                    int alpha) {
  Release();
  if (!device) return false;
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadWholeFile(fileName, kMaxModelFileBytes, &bytes, &error)) {
    ReportOnce(error);
    return false;
  }
  if (!ReadMd3(bytes, &file_, &error) || !WithinBudget(file_, &error)) {
    ReportOnce(HostPath(fileName) + ": " + error);
    file_ = Md3File();
    return false;
  }
  const D3DCOLOR color = (static_cast<D3DCOLOR>(alpha) & 0xFF) << 24 | 0x00FFFFFF;
  surfaces_.resize(file_.surfaces.size());
  for (size_t s = 0; s < surfaces_.size(); ++s) {
    BuildSurface(file_.surfaces[s], textureDirectory, color, device, &surfaces_[s]);
  }
  return true;
}

void Md3Model::BuildSurface(const Md3SurfaceData& data, const char* textureDirectory,
                            D3DCOLOR color, IDirect3DDevice8* device, Md3Surface* surface) {
  surface->frames.resize(static_cast<size_t>(data.header.frameCount));
  for (size_t f = 0; f < surface->frames.size(); ++f) {
    surface->frames[f] = FrameVertices(device, data, f, color);
  }
  surface->indexBuffer = Indices(device, data);
  if (textureDirectory && !data.shaders.empty()) {
    ReloadTexture(device, TexturePath(textureDirectory, data.shaders[0].name).c_str(),
                  &surface->texture);
  }
}

bool Md3Model::Draw(IDirect3DDevice8* device) {
  for (size_t s = 0; s < surfaces_.size(); ++s) {
    Md3Surface& surface = surfaces_[s];
    const Md3SurfaceHeader& header = file_.surfaces[s].header;
    if (surface.animated) Advance(surface, timeGetTime());
    device->SetTexture(0, surface.texture);
    IDirect3DVertexBuffer8* vertices = surface.currentFrame < surface.frames.size()
                                           ? surface.frames[surface.currentFrame]
                                           : nullptr;
    if (!DrawSceneMesh(device, vertices, surface.indexBuffer, static_cast<UINT>(header.vertexCount),
                       static_cast<UINT>(header.triangleCount))) {
      return false;
    }
  }
  return true;
}

bool Md3Model::SetFrame(size_t surface, uint32_t frame) {
  if (surface >= surfaces_.size() || frame >= surfaces_[surface].frames.size()) return false;
  surfaces_[surface].currentFrame = frame;
  return true;
}

bool Md3Model::SetAnimationSpeed(size_t surface, uint16_t framesPerSecond) {
  if (surface >= surfaces_.size() || surfaces_[surface].frames.size() < 2 || framesPerSecond == 0) {
    return false;
  }
  surfaces_[surface].frameInterval = 1000u / framesPerSecond;
  surfaces_[surface].animated = true;
  return true;
}

bool Md3Model::SetAnimationSpeed(uint16_t framesPerSecond) {
  if (framesPerSecond == 0) return false;
  // Surfaces of a single frame stay as they are.
  for (size_t s = 0; s < surfaces_.size(); ++s) SetAnimationSpeed(s, framesPerSecond);
  return true;
}

IDirect3DVertexBuffer8* Md3Model::TakeFrameVertices(size_t surface, size_t frame) {
  if (surface >= surfaces_.size() || frame >= surfaces_[surface].frames.size()) return nullptr;
  return std::exchange(surfaces_[surface].frames[frame], nullptr);
}

IDirect3DIndexBuffer8* Md3Model::TakeIndices(size_t surface) {
  if (surface >= surfaces_.size()) return nullptr;
  return std::exchange(surfaces_[surface].indexBuffer, nullptr);
}
