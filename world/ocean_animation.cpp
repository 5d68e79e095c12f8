#include "world/ocean_animation.h"

#include "gfx/render_state_block.h"
#include "gfx/scene_vertex.h"
#include "gfx/surface_drawing.h"
#include "gfx/texture_file.h"
#include "services/random_numbers.h"
#include "world/grid_mesh.h"

namespace {

// An axis turns round at its box's faces.
void Turn(float current, uint8_t& direction, float minimum, float maximum) {
  if (current >= maximum) direction = 0;
  if (current <= minimum) direction = 1;
}

// An axis moves on at a fresh random speed of one to three steps. Positions are not
// clamped: a vertex may pass its box's face by one step before it turns.
void Move(float& current, uint8_t direction, float step) {
  float speed = RandomFloat(1.0f, -1.0f);
  if (direction == 1) {
    current += speed * step;
  } else {
    current -= speed * step;
  }
}

constexpr float kBaseSpeed = 0.2f;  // units per second

}  // namespace

OceanAnimation::~OceanAnimation() {
  ReleaseGrid();
  SafeRelease(texture_);
}

void OceanAnimation::ReleaseGrid() {
  motions_.clear();
  SafeRelease(vertexBuffer_);
  SafeRelease(indexBuffer_);
}

bool OceanAnimation::Build(const char* textureFile, D3DCOLOR color, float seaLevel, int xExtent,
                           int zExtent, int a, int b, float amplitudeX, float amplitudeY,
                           float amplitudeZ, IDirect3DDevice8* device) {
  ReleaseGrid();
  ReloadTexture(device, textureFile, &texture_);
  amplitudeX_ = amplitudeX;
  amplitudeY_ = amplitudeY;
  amplitudeZ_ = amplitudeZ;
  a_ = a;
  b_ = b;
  // Texture coordinates divide by the extents less one, positions by the counts less one.
  if (!device || !IsBuildableGrid(a, b) || xExtent == 1 || zExtent == 1) return false;
  motions_.resize(size_t(a) * size_t(b));
  return BuildGrid(seaLevel, xExtent, zExtent, color, device);
}

bool OceanAnimation::BuildGrid(float seaLevel, int xExtent, int zExtent, D3DCOLOR color,
                               IDirect3DDevice8* device) {
  if (!CreateGridBuffers(device, a_, b_, &vertexBuffer_, &indexBuffer_)) return false;
  BYTE* data = nullptr;
  if (FAILED(vertexBuffer_->Lock(0, 0, &data, 0))) return false;
  auto* vertex = reinterpret_cast<SceneVertex*>(data);
  VertexMotion* motion = motions_.data();
  for (int column = 0; column < a_; ++column) {
    for (int row = 0; row < b_; ++row, ++vertex, ++motion) {
      float x = GridX(xExtent, column, a_), y = seaLevel, z = GridZ(zExtent, row, b_);
      float currentX = x + RandomFloat(-amplitudeX_, amplitudeX_);
      float currentY = y + RandomFloat(-amplitudeY_, amplitudeY_);
      float currentZ = z + RandomFloat(-amplitudeZ_, amplitudeZ_);
      // The water repeats per extent unit, so finer grids don't stretch it.
      *vertex = {currentX,
                 currentY,
                 currentZ,
                 color,
                 static_cast<float>(column) / static_cast<float>(xExtent - 1),
                 static_cast<float>(row) / static_cast<float>(zExtent - 1)};
      *motion = {x + amplitudeX_,
                 y + amplitudeY_,
                 z + amplitudeZ_,
                 x - amplitudeX_,
                 y - amplitudeY_,
                 z - amplitudeZ_,
                 currentX,
                 currentY,
                 currentZ,
                 0,
                 0,
                 0};
    }
  }
  return SUCCEEDED(vertexBuffer_->Unlock()) && WriteGridIndices(indexBuffer_, a_, b_);
}

bool OceanAnimation::Animate(uint32_t elapsedMs) {
  const float step = static_cast<float>(elapsedMs) * 0.001f * kBaseSpeed;
  for (VertexMotion& m : motions_) {
    Turn(m.currentX, m.directionX, m.minX, m.maxX);
    Turn(m.currentY, m.directionY, m.minY, m.maxY);
    Turn(m.currentZ, m.directionZ, m.minZ, m.maxZ);
    Move(m.currentX, m.directionX, step);
    Move(m.currentY, m.directionY, step);
    Move(m.currentZ, m.directionZ, step);
  }
  BYTE* data = nullptr;
  if (!vertexBuffer_ || FAILED(vertexBuffer_->Lock(0, 0, &data, 0))) return true;
  auto* vertex = reinterpret_cast<SceneVertex*>(data);
  for (const VertexMotion& m : motions_) {
    vertex->x = m.currentX;
    vertex->y = m.currentY;
    vertex->z = m.currentZ;
    ++vertex;
  }
  vertexBuffer_->Unlock();
  return true;
}

bool OceanAnimation::Render(IDirect3DDevice8* device, uint32_t elapsedMs) {
  Animate(elapsedMs);
  const RenderStateBlock saved(device, kBlendStates);
  UseAlphaBlending(device);
  // Colour from the texture, opacity from the vertex colour's alpha (about one half). Stage 0
  // stays this way after the draw: the sea plane is drawn next with the same setup.
  UseTextureColourDiffuseAlpha(device);
  device->SetTexture(0, texture_);
  UINT vertices = static_cast<UINT>(a_ * b_);
  UINT triangles = static_cast<UINT>(2 * (a_ - 1) * (b_ - 1));
  return SUCCEEDED(device->SetVertexShader(kSceneVertexFormat)) &&
         SUCCEEDED(device->SetStreamSource(0, vertexBuffer_, sizeof(SceneVertex))) &&
         SUCCEEDED(device->SetIndices(indexBuffer_, 0)) &&
         SUCCEEDED(device->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, vertices, 0, triangles));
}
