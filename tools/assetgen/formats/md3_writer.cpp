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

int16_t Md3Writer::ToCoordinate(float value) {
  return static_cast<int16_t>(std::clamp(std::lround(value), -32768L, 32767L));
}

uint16_t Md3Writer::PackNormal(Vec3 normal) {
  // Latitude from the third axis, longitude around it, each as a byte of a full turn.
  constexpr double kBytesPerRadian = 255.0 / (2.0 * std::numbers::pi);
  double latitude = std::acos(std::clamp(normal.z, -1.f, 1.f)) * kBytesPerRadian;
  double longitude = std::atan2(normal.y, normal.x) * kBytesPerRadian;
  auto toByte = [](double angle) { return static_cast<uint16_t>(std::lround(angle) & 0xFF); };
  return static_cast<uint16_t>(toByte(latitude) << 8 | toByte(longitude));
}

void Md3Writer::WriteFrame(ByteBuffer& out, const Md3Mesh& mesh) {
  Vec3 low = mesh.positions.front();
  Vec3 high = low;
  float radius = 0;
  for (Vec3 p : mesh.positions) {
    low = {std::min(low.x, p.x), std::min(low.y, p.y), std::min(low.z, p.z)};
    high = {std::max(high.x, p.x), std::max(high.y, p.y), std::max(high.z, p.z)};
    radius = std::max(radius, p.Length());
  }
  for (Vec3 corner : {low, high}) {
    out.F32(corner.x);
    out.F32(corner.y);
    out.F32(corner.z);
  }
  out.Zeros(3 * 4);  // local origin
  out.F32(radius);
  out.FixedText(mesh.name, kFrameNameBytes);
}

void Md3Writer::WriteSurface(ByteBuffer& out, const Md3Mesh& mesh) {
  auto vertexCount = static_cast<uint32_t>(mesh.positions.size());
  auto triangleCount = static_cast<uint32_t>(mesh.triangles.size());
  uint32_t shadersAt = kSurfaceHeaderBytes;
  uint32_t trianglesAt = shadersAt + kShaderBytes;
  uint32_t texCoordsAt = trianglesAt + triangleCount * kTriangleBytes;
  uint32_t verticesAt = texCoordsAt + vertexCount * kTexCoordBytes;
  uint32_t endAt = verticesAt + vertexCount * kVertexBytes;

  out.Text("IDP3");
  out.FixedText(mesh.name, kNameBytes);
  out.U32(0);  // flags
  out.U32(1);  // frames
  out.U32(1);  // shaders
  out.U32(vertexCount);
  out.U32(triangleCount);
  for (uint32_t offset : {trianglesAt, shadersAt, texCoordsAt, verticesAt, endAt}) out.U32(offset);

  out.FixedText(mesh.shader, kNameBytes);
  out.U32(0);
  for (const auto& triangle : mesh.triangles) {
    for (int32_t index : triangle) out.I32(index);
  }
  for (const auto& st : mesh.texCoords) {
    out.F32(st[0]);
    out.F32(st[1]);
  }
  for (size_t v = 0; v < mesh.positions.size(); ++v) {
    Vec3 p = mesh.positions[v];
    out.I16(ToCoordinate(p.x));
    out.I16(ToCoordinate(p.y));
    out.I16(ToCoordinate(p.z));
    out.U16(PackNormal(mesh.normals[v]));
  }
}

std::vector<uint8_t> Md3Writer::Encode(const Md3Mesh& mesh) {
  ByteBuffer surface;
  WriteSurface(surface, mesh);
  uint32_t framesAt = kHeaderBytes;
  uint32_t tagsAt = framesAt + kFrameBytes;
  uint32_t surfacesAt = tagsAt;  // no tags
  uint32_t endAt = surfacesAt + static_cast<uint32_t>(surface.Size());

  ByteBuffer out;
  out.Text("IDP3");
  out.I32(kVersion);
  out.FixedText(mesh.name, kNameBytes);
  out.U32(0);  // flags
  out.U32(1);  // frames
  out.U32(0);  // tags
  out.U32(1);  // surfaces
  out.U32(0);  // skins
  for (uint32_t offset : {framesAt, tagsAt, surfacesAt, endAt}) out.U32(offset);
  WriteFrame(out, mesh);
  out.Append(surface);
  return out.Bytes();
}

}  // namespace assetgen
