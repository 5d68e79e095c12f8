#include "region_mean.h"

#include <png.h>

MeanColour RegionMean(const std::vector<uint8_t>& rgba, int imageWidth, int x0, int y0, int width,
                      int height) {
  auto mean = [&](int channel) {
    return RegionSum(imageWidth, x0, y0, width, height,
                     [&](size_t i) { return double(rgba[i + channel]); }) /
           (double(width) * height);
  };
  return {mean(0), mean(1), mean(2)};
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
