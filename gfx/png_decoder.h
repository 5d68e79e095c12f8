#pragma once
// PNG through libpng: every colour type and bit depth, converted to 8-bit sRGB.
#include <cstdint>
#include <span>

#include "gfx/decoded_image.h"

// False for anything malformed or truncated; image is then unspecified.
bool DecodePng(std::span<const uint8_t> file, DecodedImage* image);
