#pragma once
#include <cstdint>

#include "tools/assetgen/formats/image.h"
#include "tools/assetgen/procedural/gradient_noise.h"
#include "tools/assetgen/procedural/height_field.h"
#include "tools/assetgen/procedural/random_stream.h"

namespace assetgen {

// The lava added onto the island's colours after the eruption. The scene grows this picture
// from a dot at the crater to five times the island's texture, so in the end only its middle
// fifth covers the island: the flows are painted there, down the height field's gullies from
// the crater rim, with a glow round the crater fading to black towards the picture's edges.
class LavaStreamPainter {
 public:
  static constexpr float kFinalScale = 5.f;

  LavaStreamPainter(const HeightField& heights, uint64_t seed);

  Image Paint(int size) const;

 private:
  // How hot the ground is at island texture coordinates (u, v), 0..1.
  float HeatAt(float u, float v) const;
  void PourFlows();
  void PourFlow(float angle, float strength, float cooling);
  void FillCrater();
  void Soften();

  const HeightField& heights_;
  HeightField heat_;
  RandomStream random_;
  GradientNoise noise_;
};

}  // namespace assetgen
