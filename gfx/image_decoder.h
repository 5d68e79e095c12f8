#pragma once
// Decodes an image file of any supported format, recognised by its contents: BMP, DDS, PNG and
// JPEG by their signatures, TGA (which has none) by a header that makes sense.
#include <cstdint>
#include <span>

#include "gfx/decoded_image.h"

// False when no decoder accepts the file; image is then unspecified.
bool DecodeImage(std::span<const uint8_t> file, DecodedImage* image);
