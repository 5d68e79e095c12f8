#include "tools/assetgen/procedural/height_field.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

HeightField::HeightField(int size, float spacing)
    : size_(size), spacing_(spacing), values_(static_cast<size_t>(size) * size, 0.f) {}

float HeightField::ClampedAt(int i, int j) const {
  return At(std::clamp(i, 0, size_ - 1), std::clamp(j, 0, size_ - 1));
}

float HeightField::Sample(float u, float v) const {
  float x = std::clamp(u, 0.f, 1.f) * (size_ - 1);
  float y = std::clamp(v, 0.f, 1.f) * (size_ - 1);
  int i = std::min(static_cast<int>(x), size_ - 2);
  int j = std::min(static_cast<int>(y), size_ - 2);
  float fx = x - i;
  float fy = y - j;
  float top = At(i, j) + (At(i + 1, j) - At(i, j)) * fx;
  float bottom = At(i, j + 1) + (At(i + 1, j + 1) - At(i, j + 1)) * fx;
  return top + (bottom - top) * fy;
}

HeightField::Slope HeightField::SlopeAt(float u, float v) const {
  float step = 1.f / (size_ - 1);
  float span = 2 * spacing_;
  return {(Sample(u + step, v) - Sample(u - step, v)) / span,
          (Sample(u, v + step) - Sample(u, v - step)) / span};
}

}  // namespace assetgen
