// libFuzzer entry for the MD3 reader. Sanitizers catch bad memory use; a file that reads must
// also be whole (every block sized by its counts, every index inside its surface) and must not
// have made us keep more than a few times its own size, whatever it claimed.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "world/md3_file.h"

namespace {

// Bytes the surface's blocks take in a file.
size_t BlockBytes(const Md3SurfaceData& s) {
  return s.shaders.size() * 68 + s.triangles.size() * 12 +
         (s.texCoords.size() + s.positions.size()) * 8;
}

bool Whole(const Md3SurfaceData& s) {
  const Md3SurfaceHeader& h = s.header;
  if (h.vertexCount > kMaxMd3SurfaceVertices || s.shaders.size() != size_t(h.shaderCount) ||
      s.triangles.size() != size_t(h.triangleCount) ||
      s.texCoords.size() != size_t(h.vertexCount) ||
      s.positions.size() != size_t(h.frameCount) * size_t(h.vertexCount)) {
    return false;
  }
  for (const auto& triangle : s.triangles) {
    for (int32_t index : triangle) {
      if (index < 0 || index >= h.vertexCount) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Md3File file;
  std::string reason;
  if (!ReadMd3({data, size}, &file, &reason)) return 0;
  // Frames, tags, the first surface's header and shaders, each of its three blocks found by
  // offset, and the later surfaces: each of these seven parts lies within the file.
  if (file.surfaces.size() > size_t(kMaxMd3Surfaces)) std::abort();
  size_t kept = file.frames.size() * 56 + file.tags.size() * 112;
  for (const Md3SurfaceData& surface : file.surfaces) {
    if (!Whole(surface)) std::abort();
    kept += BlockBytes(surface) + 108;
  }
  if (kept > 7 * size) std::abort();
  return 0;
}
