#include "test_md3.h"

#include <bit>

#include "patched.h"

namespace {

constexpr int32_t kHeaderBytes = 108, kFrameBytes = 56, kSurfaceHeaderBytes = 108,
                  kShaderBytes = 68;

int32_t Count(const auto& records) {
  return static_cast<int32_t>(records.size());
}

void AppendName(std::string* out, std::string name, size_t size) {
  name.resize(size, '\0');
  *out += name;
}

std::string SurfaceBytes(const TestMd3Surface& s) {
  const int32_t trianglesAt = kSurfaceHeaderBytes + kShaderBytes * Count(s.shaders);
  const int32_t texCoordsAt = trianglesAt + 12 * Count(s.triangles);
  const int32_t positionsAt = texCoordsAt + 8 * Count(s.texCoords);
  std::string out = "IDP3";
  AppendName(&out, "surface", 64);
  for (int32_t field :
       {0, s.frames, Count(s.shaders), Count(s.texCoords), Count(s.triangles), trianglesAt,
        kSurfaceHeaderBytes, texCoordsAt, positionsAt, positionsAt + 8 * Count(s.positions)}) {
    AppendLe(&out, static_cast<uint32_t>(field));
  }
  for (const std::string& shader : s.shaders) {
    AppendName(&out, shader, 64);
    AppendLe(&out, 0);
  }
  for (const auto& triangle : s.triangles) {
    for (int32_t index : triangle) AppendLe(&out, static_cast<uint32_t>(index));
  }
  for (const auto& st : s.texCoords) {
    for (float f : st) AppendLe(&out, std::bit_cast<uint32_t>(f));
  }
  for (const auto& p : s.positions) {
    for (int16_t coordinate : p) AppendLe(&out, static_cast<uint16_t>(coordinate), 2);
    AppendLe(&out, 0, 2);  // packed normal
  }
  return out;
}

}  // namespace

size_t Md3SurfaceStart(const TestMd3& model, size_t surface) {
  size_t at = kHeaderBytes + kFrameBytes * size_t(model.frames);
  for (size_t s = 0; s < surface; ++s) at += SurfaceBytes(model.surfaces[s]).size();
  return at;
}

std::string Md3Bytes(const TestMd3& model) {
  const auto surfacesAt = static_cast<int32_t>(Md3SurfaceStart(model, 0));
  std::string surfaces;
  for (const TestMd3Surface& surface : model.surfaces) surfaces += SurfaceBytes(surface);
  std::string out = "IDP3";
  AppendLe(&out, 15);  // version
  AppendName(&out, "test", 64);
  for (int32_t field : {0, model.frames, 0, Count(model.surfaces), 0, kHeaderBytes, surfacesAt,
                        surfacesAt, surfacesAt + Count(surfaces)}) {
    AppendLe(&out, static_cast<uint32_t>(field));
  }
  out.append(size_t(kFrameBytes) * size_t(model.frames), '\0');  // read but not used
  return out + surfaces;
}

TestMd3 TriangleMd3() {
  TestMd3Surface surface;
  surface.triangles = {{0, 1, 2}};
  surface.texCoords = {{0.0f, 0.0f}, {1.0f, 0.0f}, {0.0f, 1.0f}};
  surface.positions = {{0, 0, 0}, {64, 2, -1}, {128, 4, -2}};
  return {1, {surface}};
}

TestMd3 TwoSurfaceMd3() {
  TestMd3 model = TriangleMd3();
  model.frames = model.surfaces[0].frames = 2;
  model.surfaces[0].positions.insert(model.surfaces[0].positions.end(), 3, {1, 1, 1});
  TestMd3Surface second{2, {"first", "second"}, {{0, 1, 2}, {2, 3, 0}}, {}, {}};
  second.texCoords.resize(4);
  for (int16_t k = 0; k < 8; ++k) second.positions.push_back({k, int16_t(-k), 7});
  model.surfaces.push_back(second);
  return model;
}
