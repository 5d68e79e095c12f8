#include "region_mean.h"

#include <cstddef>

MeanColour RegionMean(const std::vector<uint8_t>& rgba, int imageWidth, int x0, int y0, int width,
                      int height) {
  MeanColour m;
  for (int y = y0; y < y0 + height; ++y) {
    for (int x = x0; x < x0 + width; ++x) {
      const uint8_t* px = &rgba[(size_t(y) * imageWidth + x) * 4];
      m.r += px[0];
      m.g += px[1];
      m.b += px[2];
    }
  }
  const double n = double(width) * height;
  return {m.r / n, m.g / n, m.b / n};
}
