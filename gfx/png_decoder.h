#pragma once
// PNG through libpng: every colour type and bit depth, converted to 8-bit sRGB. Paletted files
// give their palette.
#include <cstdint>
#include <span>

#include "gfx/decoded_image.h"

// False for anything malformed or truncated; image is then unspecified.
bool DecodePng(std::span<const uint8_t> file, DecodedImage* image);

// The picture's size from the start of a file, without decoding it; false when the start is not
// such a file's header.
bool PngImageSize(std::span<const uint8_t> head, ImageSize* size);
