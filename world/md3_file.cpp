#include "world/md3_file.h"

#include <algorithm>
#include <bit>

#include "platform/byte_reader.h"

namespace {

constexpr size_t kNameBytes = 64;
constexpr size_t kFrameNameBytes = 16;
constexpr size_t kFrameBytes = 56;
constexpr size_t kTagBytes = 112;
constexpr size_t kShaderBytes = 68;
constexpr size_t kTriangleBytes = 12;
constexpr size_t kTexCoordBytes = 8;
constexpr size_t kPositionBytes = 8;

float F32(ByteReader& r) {
  return std::bit_cast<float>(r.U32());
}

D3DXVECTOR3 Vector(ByteReader& r) {
  const float x = F32(r), y = F32(r), z = F32(r);
  return {x, y, z};
}

// A fixed-size name field: up to its first zero byte.
std::string Name(ByteReader& r, size_t size) {
  const auto bytes = r.Bytes(size);
  const auto end = std::find(bytes.begin(), bytes.end(), uint8_t{0});
  return std::string(bytes.begin(), end);
}

// Whether count records of recordBytes each lie between the reader's position and the file's
// end. Checked before sizing anything by a count, so a file can't claim more than it holds.
bool Holds(const ByteReader& r, int64_t count, size_t recordBytes) {
  return r.Ok() && count >= 0 && uint64_t(count) <= r.Remaining() / recordBytes;
}

// Moves to a block at offset from base; false for a negative offset or one past the end.
bool SeekBlock(ByteReader& r, uint64_t base, int32_t offset) {
  if (offset < 0) return false;
  r.Seek(base + uint64_t(offset));
  return r.Ok();
}

// Reads count records, once the file is known to hold them.
template <typename Record>
bool ReadRecords(ByteReader& r, int64_t count, size_t recordBytes,
                 void (*readOne)(ByteReader&, Record*), std::vector<Record>* records) {
  if (!Holds(r, count, recordBytes)) return false;
  records->resize(size_t(count));
  for (Record& record : *records) readOne(r, &record);
  return r.Ok();
}

void ReadFrame(ByteReader& r, Md3Frame* frame) {
  frame->minBounds = Vector(r);
  frame->maxBounds = Vector(r);
  frame->localOrigin = Vector(r);
  frame->radius = F32(r);
  frame->name = Name(r, kFrameNameBytes);
}

void ReadTag(ByteReader& r, Md3Tag* tag) {
  tag->name = Name(r, kNameBytes);
  tag->origin = Vector(r);
  for (int axis = 0; axis < 3; ++axis) {
    for (int k = 0; k < 3; ++k) tag->axes.m[axis][k] = F32(r);
  }
  tag->axes._44 = 1.0f;
}

void ReadShader(ByteReader& r, Md3Shader* shader) {
  shader->name = Name(r, kNameBytes);
  shader->index = r.S32();
}

void ReadTriangle(ByteReader& r, std::array<int32_t, 3>* triangle) {
  for (int32_t& index : *triangle) index = r.S32();
}

void ReadTexCoord(ByteReader& r, Md3TexCoord* st) {
  st->s = F32(r);
  st->t = F32(r);
}

void ReadPosition(ByteReader& r, Md3Position* p) {
  p->x = static_cast<int16_t>(r.U16());
  p->y = static_cast<int16_t>(r.U16());
  p->z = static_cast<int16_t>(r.U16());
  r.Skip(2);  // the packed normal
}

bool ReadSurfaceHeader(ByteReader& r, Md3SurfaceHeader* h) {
  h->identifier = r.U32();
  h->name = Name(r, kNameBytes);
  h->flags = r.S32();
  h->frameCount = r.S32();
  h->shaderCount = r.S32();
  h->vertexCount = r.S32();
  h->triangleCount = r.S32();
  h->trianglesAt = r.S32();
  h->shadersAt = r.S32();
  h->texCoordsAt = r.S32();
  h->positionsAt = r.S32();
  h->endAt = r.S32();
  // Frames without vertices would each cost a buffer entry that the file pays nothing for.
  return r.Ok() && h->frameCount >= 0 && h->vertexCount >= 0 &&
         h->vertexCount <= kMaxMd3SurfaceVertices && (h->vertexCount > 0 || h->frameCount == 0);
}

bool IndicesInRange(const Md3SurfaceData& surface) {
  for (const auto& triangle : surface.triangles) {
    for (int32_t index : triangle) {
      if (index < 0 || index >= surface.header.vertexCount) return false;
    }
  }
  return true;
}

// The first surface's blocks lie at its offsets from base (seek); a later surface's follow its
// header one after another.
bool ReadSurface(ByteReader& r, bool seek, uint64_t base, Md3SurfaceData* surface) {
  Md3SurfaceHeader& h = surface->header;
  return ReadSurfaceHeader(r, &h) &&
         ReadRecords(r, h.shaderCount, kShaderBytes, ReadShader, &surface->shaders) &&
         (!seek || SeekBlock(r, base, h.trianglesAt)) &&
         ReadRecords(r, h.triangleCount, kTriangleBytes, ReadTriangle, &surface->triangles) &&
         IndicesInRange(*surface) && (!seek || SeekBlock(r, base, h.texCoordsAt)) &&
         ReadRecords(r, h.vertexCount, kTexCoordBytes, ReadTexCoord, &surface->texCoords) &&
         (!seek || SeekBlock(r, base, h.positionsAt)) &&
         ReadRecords(r, int64_t{h.frameCount} * h.vertexCount, kPositionBytes, ReadPosition,
                     &surface->positions);
}

}  // namespace

bool ReadMd3(std::span<const uint8_t> bytes, Md3File* file, std::string* reason) {
  *file = Md3File();
  ByteReader r(bytes);
  file->identifier = r.U32();
  file->version = r.S32();
  file->name = Name(r, kNameBytes);
  file->flags = r.S32();
  const int32_t frameCount = r.S32();
  const int32_t tagCount = r.S32();
  const int32_t surfaceCount = r.S32();
  file->skinCount = r.S32();
  file->framesAt = r.S32();
  file->tagsAt = r.S32();
  file->surfacesAt = r.S32();
  file->endAt = r.S32();

  if (surfaceCount > kMaxMd3Surfaces) {
    *reason = std::to_string(surfaceCount) + " surfaces, more than the " +
              std::to_string(kMaxMd3Surfaces) + " a model may have";
    return false;
  }
  *reason = "a count, offset or triangle index that does not fit the file";
  if (!ReadRecords(r, frameCount, kFrameBytes, ReadFrame, &file->frames) ||
      !SeekBlock(r, 0, file->tagsAt) ||
      !ReadRecords(r, tagCount, kTagBytes, ReadTag, &file->tags) ||
      !SeekBlock(r, 0, file->surfacesAt) || surfaceCount < 0) {
    return false;
  }
  const uint64_t base = r.Offset();
  // Each surface is checked against the file as it is read, so the count reserves nothing.
  for (int32_t s = 0; s < surfaceCount; ++s) {
    file->surfaces.emplace_back();
    if (!ReadSurface(r, s == 0, base, &file->surfaces.back())) return false;
  }
  reason->clear();
  return true;
}
