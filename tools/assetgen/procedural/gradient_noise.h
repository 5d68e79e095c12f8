#pragma once
#include <array>
#include <cstdint>

namespace assetgen {

// Two-dimensional gradient noise on a unit lattice, with its fractal sums. A period p > 0
// makes the lattice wrap every p units (p doubling with each octave), so a picture that spans
// whole periods tiles without a seam.
class GradientNoise {
 public:
  explicit GradientNoise(uint64_t seed);

  float At(float x, float y, int period = 0) const;  // about -1..1
  // Octaves of doubling frequency and halving amplitude; about -1..1.
  float Fbm(float x, float y, int octaves, int period = 0) const;
  // Octaves of folded noise, sharp crests where the noise crosses zero; 0..1.
  float Ridged(float x, float y, int octaves, int period = 0) const;

 private:
  float CornerContribution(int ix, int iy, float dx, float dy) const;

  std::array<uint8_t, 256> permutation_;
  std::array<std::array<float, 2>, 16> gradients_;
};

}  // namespace assetgen
