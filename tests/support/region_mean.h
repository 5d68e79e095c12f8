#pragma once
// Pictures judged by region: the mean colour of a rectangle of 8-bit RGBA pixels, rows top first.
#include <cstdint>
#include <vector>

struct MeanColour {
  double r = 0, g = 0, b = 0;
};

MeanColour RegionMean(const std::vector<uint8_t>& rgba, int imageWidth, int x0, int y0, int width,
                      int height);
