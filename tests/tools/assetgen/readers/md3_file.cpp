#include "tests/tools/assetgen/readers/md3_file.h"

namespace assetgen::tests {

Md3File::Md3File(const std::filesystem::path& path) {
  ByteReader bytes = ByteReader::fromFile(path);
  fileSize = bytes.size();
  header = {bytes.text(0, 4), bytes.i32(4),  bytes.i32(76), bytes.i32(80),  bytes.i32(84),
            bytes.i32(88),    bytes.i32(92), bytes.i32(96), bytes.i32(100), bytes.i32(104)};
  frameRadius = bytes.f32(static_cast<size_t>(header.framesAt) + 36);

  size_t base = static_cast<size_t>(header.surfacesAt);
  surface = {bytes.text(base, 4),  bytes.i32(base + 72), bytes.i32(base + 76),
             bytes.i32(base + 80), bytes.i32(base + 84), bytes.i32(base + 88),
             bytes.i32(base + 92), bytes.i32(base + 96), bytes.i32(base + 100),
             bytes.i32(base + 104)};
  for (int32_t t = 0; t < surface.triangles; ++t) {
    size_t at = base + static_cast<size_t>(surface.trianglesAt) + static_cast<size_t>(t) * 12;
    triangles.push_back({bytes.i32(at), bytes.i32(at + 4), bytes.i32(at + 8)});
  }
  for (int32_t v = 0; v < surface.vertices; ++v) {
    size_t st = base + static_cast<size_t>(surface.texCoordsAt) + static_cast<size_t>(v) * 8;
    texCoords.push_back({bytes.f32(st), bytes.f32(st + 4)});
    size_t xyz = base + static_cast<size_t>(surface.verticesAt) + static_cast<size_t>(v) * 8;
    positions.push_back({bytes.i16(xyz), bytes.i16(xyz + 2), bytes.i16(xyz + 4)});
  }
}

}  // namespace assetgen::tests
