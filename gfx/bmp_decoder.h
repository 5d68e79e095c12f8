#pragma once
// Windows bitmaps: 1, 4, 8, 16, 24 and 32 bits per pixel, bottom-up or top-down, 8-bit and
// 4-bit run-length encoding, bit-field masks. Paletted files give their palette.
#include <cstdint>
#include <span>

#include "gfx/decoded_image.h"

// False for anything malformed or truncated; image is then unspecified.
bool DecodeBmp(std::span<const uint8_t> file, DecodedImage* image);

// The picture's size from the start of a file, without decoding it; false when the start is not
// such a file's header.
bool BmpImageSize(std::span<const uint8_t> head, ImageSize* size);
