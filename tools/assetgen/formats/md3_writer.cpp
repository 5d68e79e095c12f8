#include "tools/assetgen/formats/md3_writer.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assetgen/formats/byte_buffer.h"

namespace assetgen {

namespace {
constexpr int32_t kVersion = 15;
constexpr uint32_t kHeaderBytes = 108;
constexpr uint32_t kFrameBytes = 56;
constexpr uint32_t kSurfaceHeaderBytes = 108;
constexpr uint32_t kShaderBytes = 68;
constexpr size_t kNameBytes = 64;
constexpr size_t kFrameNameBytes = 16;
constexpr uint32_t kTriangleBytes = 12;
constexpr uint32_t kTexCoordBytes = 8;
constexpr uint32_t kVertexBytes = 8;
}  // namespace

int16_t Md3Writer::toCoordinate(float value) {
  return static_cast<int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
}

uint16_t Md3Writer::packNormal(Vec3 normal) {
  // Latitude from the third axis, longitude around it, each as a byte of a full turn.
  constexpr double kBytesPerRadian = 255.0 / (2.0 * std::numbers::pi);
  double latitude = std::acos(std::clamp(normal.z, -1.f, 1.f)) * kBytesPerRadian;
  double longitude = std::atan2(normal.y, normal.x) * kBytesPerRadian;
  auto toByte = [](double angle) { return static_cast<uint16_t>(std::lround(angle) & 0xFF); };
  return static_cast<uint16_t>(toByte(latitude) << 8 | toByte(longitude));
}

void Md3Writer::writeFrame(ByteBuffer& out, const Md3Mesh& mesh) {
  Vec3 low = mesh.positions.front();
  Vec3 high = low;
  float radius = 0;
  for (Vec3 p : mesh.positions) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    radius = std::max(radius, p.length());
  }
  for (Vec3 corner : {low, high}) {
    out.f32(corner.x);
    out.f32(corner.y);
    out.f32(corner.z);
  }
  out.zeros(3 * 4);  // local origin
  out.f32(radius);
  out.fixedText(mesh.name, kFrameNameBytes);
}

void Md3Writer::writeSurface(ByteBuffer& out, const Md3Mesh& mesh) {
  auto vertexCount = static_cast<uint32_t>(mesh.positions.size());
  auto triangleCount = static_cast<uint32_t>(mesh.triangles.size());
  uint32_t shadersAt = kSurfaceHeaderBytes;
  uint32_t trianglesAt = shadersAt + kShaderBytes;
  uint32_t texCoordsAt = trianglesAt + triangleCount * kTriangleBytes;
  uint32_t verticesAt = texCoordsAt + vertexCount * kTexCoordBytes;
  uint32_t endAt = verticesAt + vertexCount * kVertexBytes;

  out.text("IDP3");
  out.fixedText(mesh.name, kNameBytes);
  out.u32(0);  // flags
  out.u32(1);  // frames
  out.u32(1);  // shaders
  out.u32(vertexCount);
  out.u32(triangleCount);
  for (uint32_t offset : {trianglesAt, shadersAt, texCoordsAt, verticesAt, endAt}) out.u32(offset);

  out.fixedText(mesh.shader, kNameBytes);
  out.u32(0);
  for (const auto& triangle : mesh.triangles) {
    for (int32_t index : triangle) out.i32(index);
  }
  for (const auto& st : mesh.texCoords) {
    out.f32(st[0]);
    out.f32(st[1]);
  }
  for (size_t v = 0; v < mesh.positions.size(); ++v) {
    Vec3 p = mesh.positions[v];
    out.i16(toCoordinate(p.x));
    out.i16(toCoordinate(p.y));
    out.i16(toCoordinate(p.z));
    out.u16(packNormal(mesh.normals[v]));
  }
}

std::vector<uint8_t> Md3Writer::encode(const Md3Mesh& mesh) {
  ByteBuffer surface;
  writeSurface(surface, mesh);
  uint32_t framesAt = kHeaderBytes;
  uint32_t tagsAt = framesAt + kFrameBytes;
  uint32_t surfacesAt = tagsAt;  // no tags
  uint32_t endAt = surfacesAt + static_cast<uint32_t>(surface.size());

  ByteBuffer out;
  out.text("IDP3");
  out.i32(kVersion);
  out.fixedText(mesh.name, kNameBytes);
  out.u32(0);  // flags
  out.u32(1);  // frames
  out.u32(0);  // tags
  out.u32(1);  // surfaces
  out.u32(0);  // skins
  for (uint32_t offset : {framesAt, tagsAt, surfacesAt, endAt}) out.u32(offset);
  writeFrame(out, mesh);
  out.append(surface);
  return out.bytes();
}

}  // namespace assetgen
