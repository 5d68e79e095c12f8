#include "tools/assetgen/art/fire_palette.h"

#include "tools/assetgen/art/heat_ramp.h"

namespace assetgen {

IndexedImage FirePalette::Picture() {
  IndexedImage image;
  image.width = kWidth;
  image.height = kHeight;
  image.indices.resize(static_cast<size_t>(kWidth) * kHeight);
  for (size_t pixel = 0; pixel < image.indices.size(); ++pixel) {
    image.indices[pixel] = static_cast<uint8_t>(pixel % kWidth);
  }
  for (int index = 0; index < 256; ++index) image.palette[index] = HeatRamp::Colour(index / 255.f);
  return image;
}

}  // namespace assetgen
