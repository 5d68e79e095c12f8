#pragma once
// Truevision TGA: true-colour (15, 16, 24, 32 bits), grey (8 bits) and colour-mapped (8-bit
// indices), raw or run-length encoded, in any of the four corner orientations. Colour-mapped
// files give their palette.
#include <cstdint>
#include <span>

#include "gfx/decoded_image.h"

// False for anything malformed or truncated; image is then unspecified.
bool DecodeTga(std::span<const uint8_t> file, DecodedImage* image);

// The picture's size from the start of a file, without decoding it; false when the start is not
// such a file's header.
bool TgaImageSize(std::span<const uint8_t> head, ImageSize* size);
