#include "tests/tools/assetgen/readers/md3_file.h"

namespace assetgen::tests {

Md3File::Md3File(const std::filesystem::path& path) {
  ByteReader bytes = ByteReader::FromFile(path);
  fileSize = bytes.Size();
  header = {bytes.Text(0, 4), bytes.I32(4),  bytes.I32(76), bytes.I32(80),  bytes.I32(84),
            bytes.I32(88),    bytes.I32(92), bytes.I32(96), bytes.I32(100), bytes.I32(104)};
  frameRadius = bytes.F32(static_cast<size_t>(header.framesAt) + 36);

  size_t base = static_cast<size_t>(header.surfacesAt);
  surface = {bytes.Text(base, 4),  bytes.I32(base + 72), bytes.I32(base + 76),
             bytes.I32(base + 80), bytes.I32(base + 84), bytes.I32(base + 88),
             bytes.I32(base + 92), bytes.I32(base + 96), bytes.I32(base + 100),
             bytes.I32(base + 104)};
  for (int32_t t = 0; t < surface.triangles; ++t) {
    size_t at = base + static_cast<size_t>(surface.trianglesAt) + static_cast<size_t>(t) * 12;
    triangles.push_back({bytes.I32(at), bytes.I32(at + 4), bytes.I32(at + 8)});
  }
  for (int32_t v = 0; v < surface.vertices; ++v) {
    size_t st = base + static_cast<size_t>(surface.texCoordsAt) + static_cast<size_t>(v) * 8;
    texCoords.push_back({bytes.F32(st), bytes.F32(st + 4)});
    size_t xyz = base + static_cast<size_t>(surface.verticesAt) + static_cast<size_t>(v) * 8;
    positions.push_back({bytes.I16(xyz), bytes.I16(xyz + 2), bytes.I16(xyz + 4)});
  }
}

}  // namespace assetgen::tests
