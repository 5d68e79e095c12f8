#pragma once
// A BMP height map: width x height samples read as one continuous run of 8-bit or 24-bit
// pixels from the pixel-data offset (no row padding skipped), bottom row first.
#include <vector>

class HeightMap {
 public:
  // Reads the file; false (and an empty map) when it can't be opened, isn't an uncompressed
  // 8- or 24-bit map, has more samples than a 16-bit-indexed grid can draw, or ends before
  // its samples do, said once on standard error with the file's name.
  bool Load(const char* fileName, float heightScale);

  int Width() const { return width_; }
  int Height() const { return height_; }
  const std::vector<float>& Samples() const { return samples_; }

 private:
  int width_ = 0;
  int height_ = 0;
  std::vector<float> samples_;
};
