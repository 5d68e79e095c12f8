#pragma once
#include "tools/assetgen/formats/vec3.h"
#include "tools/assetgen/procedural/height_field.h"

namespace assetgen {

// Light that the unlit terrain gets baked into its texture: how much open sky each spot sees
// (ambient occlusion) and whether the sun reaches it (soft cast shadows). Both on the grid of
// the heights they come from; the painter samples them between grid points.
class TerrainLighting {
 public:
  // sun points towards the sun, in world axes (x east, y up, z north).
  TerrainLighting(const HeightField& heights, Vec3 sun);

  const HeightField& OpenSky() const { return openSky_; }
  const HeightField& Sunlight() const { return sunlight_; }

 private:
  float OpenSkyAt(const HeightField& heights, int i, int j) const;
  float SunlightAt(const HeightField& heights, int i, int j) const;

  Vec3 sun_;
  HeightField openSky_;
  HeightField sunlight_;
};

}  // namespace assetgen
