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

  Image Paint(int size) const;

 private:
  static Vec3 SunDirection();
  struct Ground {
    float x, z;
    float height;
    Vec3 normal;
    float wetness;
    float craterDistance;
  };
  Ground GroundAt(float u, float v) const;
  Rgb GroundColour(const Ground& ground) const;
  Rgb Underwater(const Ground& ground) const;
  Rgb Beach(const Ground& ground) const;
  Rgb BareRock(const Ground& ground) const;
  Rgb CraterFloor(const Ground& ground, Rgb rock) const;
  float VegetationCover(const Ground& ground) const;
  Rgb Light(const Ground& ground, float u, float v) const;
  Rgb Shade(const Ground& ground, float u, float v) const;

  const IslandShape::Island& island_;
  TerrainLighting lighting_;
  Rgb farSea_;
  GradientNoise noise_;
};

}  // namespace assetgen
