#include "region_mean.h"

#include <png.h>

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

PngPicture ReadPng(const std::string& path) {
  PngPicture out;
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&image, path.c_str())) return out;
  image.format = PNG_FORMAT_RGBA;
  out.rgba.resize(PNG_IMAGE_SIZE(image));
  if (!png_image_finish_read(&image, nullptr, out.rgba.data(), 0, nullptr)) return {};
  out.width = static_cast<int>(image.width);
  out.height = static_cast<int>(image.height);
  return out;
}
