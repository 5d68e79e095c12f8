#pragma once
// The header, first frame and first surface of an MD3 model, read at the offsets the model
// states, independently of the writer.
#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "tests/tools/assetgen/readers/byte_reader.h"

namespace assetgen::tests {

class Md3File {
 public:
  explicit Md3File(const std::filesystem::path& path);

  struct Header {
    std::string ident;
    int32_t version, frames, tags, surfaces, skins;
    int32_t framesAt, tagsAt, surfacesAt, endAt;
  };
  struct Surface {
    std::string ident;
    int32_t frames, shaders, vertices, triangles;
    int32_t trianglesAt, shadersAt, texCoordsAt, verticesAt, endAt;
  };

  size_t fileSize;
  Header header;
  float frameRadius;
  Surface surface;
  std::vector<std::array<int32_t, 3>> triangles;
  std::vector<std::array<float, 2>> texCoords;
  std::vector<std::array<int16_t, 3>> positions;  // frame 0
};

}  // namespace assetgen::tests
