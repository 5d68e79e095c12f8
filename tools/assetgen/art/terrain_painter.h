#pragma once
#include <cstdint>

#include "tools/assetgen/art/island_shape.h"
#include "tools/assetgen/art/terrain_lighting.h"
#include "tools/assetgen/formats/image.h"
#include "tools/assetgen/formats/rgb.h"
#include "tools/assetgen/procedural/gradient_noise.h"

namespace assetgen {

// The island's colour texture: ground colours chosen by height, steepness and wetness, with
// the sun's shading, cast shadows and ambient occlusion baked in (the scene draws it unlit).
// Texel (i, j from the top) of an M x M picture lies at u = i / (M - 1), v = j / (M - 1).
class TerrainPainter {
 public:
  // farSea: what shows beneath the water away from the island; deep ground takes it on.
  TerrainPainter(const IslandShape::Island& island, Rgb farSea, uint64_t seed);

  Image paint(int size) const;

 private:
  static Vec3 sunDirection();
  struct Ground {
    float x, z;
    float height;
    Vec3 normal;
    float wetness;
    float craterDistance;
  };
  Ground groundAt(float u, float v) const;
  Rgb groundColour(const Ground& ground) const;
  Rgb underwater(const Ground& ground) const;
  Rgb beach(const Ground& ground) const;
  Rgb bareRock(const Ground& ground) const;
  Rgb craterFloor(const Ground& ground, Rgb rock) const;
  float vegetationCover(const Ground& ground) const;
  Rgb light(const Ground& ground, float u, float v) const;
  Rgb shade(const Ground& ground, float u, float v) const;

  const IslandShape::Island& island_;
  TerrainLighting lighting_;
  Rgb farSea_;
  GradientNoise noise_;
};

}  // namespace assetgen
