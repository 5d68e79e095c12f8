#include "gfx/decoded_image.h"

bool IsAcceptableSize(uint64_t width, uint64_t height) {
  return width > 0 && height > 0 && width <= kMaxImageDimension && height <= kMaxImageDimension &&
         width * height <= kMaxImagePixels;
}

void AllocatePixels(DecodedImage* image, uint32_t width, uint32_t height) {
  image->width = width;
  image->height = height;
  image->pixels.assign(size_t{width} * height, 0);
}

std::vector<PALETTEENTRY> BlackPalette() {
  return std::vector<PALETTEENTRY>(kPaletteSize, PALETTEENTRY{0, 0, 0, 0xFF});
}
