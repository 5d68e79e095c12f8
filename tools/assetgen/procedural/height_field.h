#pragma once
#include <cstddef>
#include <vector>

namespace assetgen {

// A square grid of values over the unit square: sample (i, j) lies at u = i / (n - 1),
// v = j / (n - 1). Holds heights, and other per-cell quantities of the same grid.
class HeightField {
 public:
  HeightField(int size, float spacing);

  int Size() const { return size_; }
  float Spacing() const { return spacing_; }  // world distance between neighbouring samples
  float& At(int i, int j) { return values_[Index(i, j)]; }
  float At(int i, int j) const { return values_[Index(i, j)]; }
  float ClampedAt(int i, int j) const;

  float Sample(float u, float v) const;  // bilinear, clamped at the edges
  struct Slope {
    float alongU, alongV;  // height change per world unit along the grid's axes
  };
  Slope SlopeAt(float u, float v) const;

 private:
  size_t Index(int i, int j) const { return static_cast<size_t>(j) * size_ + i; }

  int size_;
  float spacing_;
  std::vector<float> values_;
};

}  // namespace assetgen
