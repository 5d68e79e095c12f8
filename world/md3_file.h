#pragma once
// The records of an MD3 model file, read from its bytes: a header, animation frames, the tags
// of the first frame, and surfaces, each with its shaders, triangles, texture coordinates and
// per-frame vertex positions. The first surface's blocks are found through its offsets; later
// surfaces follow one another as MD3 files lay them out. Files are untrusted: every count and
// block is checked against the bytes there are before anything is allocated for it.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "gfx/d3dx_matrix.h"
#include "gfx/d3dx_vector3.h"

// The most vertices a surface may have: what 16-bit indices address.
constexpr int32_t kMaxMd3SurfaceVertices = 65536;
// The most surfaces a model may have: the format's usual limit, where the sky dome has one.
// Each surface costs buffers and a draw, so a file of many tiny ones is refused at its header.
constexpr int32_t kMaxMd3Surfaces = 32;

struct Md3Frame {
  D3DXVECTOR3 minBounds;
  D3DXVECTOR3 maxBounds;
  D3DXVECTOR3 localOrigin;
  float radius = 0.0f;
  std::string name;
};

struct Md3Tag {
  std::string name;
  D3DXVECTOR3 origin;
  D3DXMATRIX axes;  // the three axes as the first three rows
};

struct Md3SurfaceHeader {
  uint32_t identifier = 0;
  std::string name;
  int32_t flags = 0;
  int32_t frameCount = 0;
  int32_t shaderCount = 0;
  int32_t vertexCount = 0;
  int32_t triangleCount = 0;
  // From the start of the surface.
  int32_t trianglesAt = 0;
  int32_t shadersAt = 0;
  int32_t texCoordsAt = 0;
  int32_t positionsAt = 0;
  int32_t endAt = 0;
};

struct Md3Shader {
  std::string name;
  int32_t index = 0;
};

struct Md3TexCoord {
  float s = 0.0f;
  float t = 0.0f;
};

struct Md3Position {
  int16_t x = 0;
  int16_t y = 0;
  int16_t z = 0;
};

struct Md3SurfaceData {
  Md3SurfaceHeader header;
  std::vector<Md3Shader> shaders;
  // Every index lies below the surface's vertex count.
  std::vector<std::array<int32_t, 3>> triangles;
  std::vector<Md3TexCoord> texCoords;  // one per vertex
  std::vector<Md3Position> positions;  // frame count x vertex count, frame after frame
};

struct Md3File {
  uint32_t identifier = 0;
  int32_t version = 0;
  std::string name;
  int32_t flags = 0;
  int32_t skinCount = 0;
  int32_t framesAt = 0;  // the frames are read right after the header, wherever this points
  int32_t tagsAt = 0;
  int32_t surfacesAt = 0;
  int32_t endAt = 0;
  std::vector<Md3Frame> frames;
  std::vector<Md3Tag> tags;
  std::vector<Md3SurfaceData> surfaces;
};

// False, with the reason, for a file that is truncated, claims negative counts, more surfaces
// than a model or more vertices than a surface may have or frames without vertices, places a
// block outside the file, or holds a triangle index outside its surface; file is then
// unspecified.
bool ReadMd3(std::span<const uint8_t> bytes, Md3File* file, std::string* reason);
