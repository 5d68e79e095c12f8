#include "formats/image.h"

Image::Image(int width, int height)
    : width_(width), height_(height), pixels_(static_cast<size_t>(width) * height) {}

Rgb Image::mean() const {
  Rgb sum;
  for (const Rgb& pixel : pixels_) sum += pixel;
  return sum * (1.f / static_cast<float>(pixels_.size()));
}
