#pragma once
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "tools/assetgen/formats/vec3.h"

namespace assetgen {

class ByteBuffer;

// One static surface: positions are stored as the format's 16-bit integers, rounded.
struct Md3Mesh {
  std::string name;
  std::string shader;
  std::vector<Vec3> positions;
  std::vector<Vec3> normals;  // unit length, one per position
  std::vector<std::array<float, 2>> texCoords;
  std::vector<std::array<int32_t, 3>> triangles;
};

// Quake III style MD3 model files with a single frame and a single surface.
class Md3Writer {
 public:
  static std::vector<uint8_t> Encode(const Md3Mesh& mesh);

 private:
  static void WriteFrame(ByteBuffer& out, const Md3Mesh& mesh);
  static void WriteSurface(ByteBuffer& out, const Md3Mesh& mesh);
  static uint16_t PackNormal(Vec3 normal);
  static int16_t ToCoordinate(float value);
};

}  // namespace assetgen
