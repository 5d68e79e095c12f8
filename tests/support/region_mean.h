#pragma once
// Pictures judged by region: 8-bit RGBA pixels, rows top first, from a back buffer or a PNG file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct MeanColour {
  double r = 0, g = 0, b = 0;
};

MeanColour RegionMean(const std::vector<uint8_t>& rgba, int imageWidth, int x0, int y0, int width,
                      int height);

// The sum of value(i) over a region's pixels, i being the offset of a pixel's first byte.
template <typename Value>
double RegionSum(int imageWidth, int x0, int y0, int width, int height, Value value) {
  double sum = 0;
  for (int y = y0; y < y0 + height; ++y) {
    for (int x = x0; x < x0 + width; ++x) sum += value((size_t(y) * imageWidth + x) * 4);
  }
  return sum;
}

// The pixels of a region for which test(const uint8_t* rgba) holds.
template <typename Test>
int CountPixels(const std::vector<uint8_t>& rgba, int imageWidth, int x0, int y0, int width,
                int height, Test test) {
  return int(RegionSum(imageWidth, x0, y0, width, height,
                       [&](size_t i) { return test(&rgba[i]) ? 1.0 : 0.0; }));
}

struct PngPicture {
  int width = 0;
  int height = 0;
  std::vector<uint8_t> rgba;
};

// The file's picture; empty when it can't be read.
PngPicture ReadPng(const std::string& path);
