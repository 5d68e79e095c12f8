#pragma once
#include <cstddef>
#include <vector>

#include "tools/assetgen/formats/rgb.h"

namespace assetgen {

// A true-colour picture; row 0 is the top row, as a viewer sees it.
class Image {
 public:
  Image(int width, int height);

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb& At(int x, int y) { return pixels_[Index(x, y)]; }
  const Rgb& At(int x, int y) const { return pixels_[Index(x, y)]; }

 private:
  size_t Index(int x, int y) const { return static_cast<size_t>(y) * width_ + x; }

  int width_;
  int height_;
  std::vector<Rgb> pixels_;
};

}  // namespace assetgen
