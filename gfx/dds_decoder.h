#pragma once
// DirectDraw surfaces: the top level of a 2D texture, uncompressed (any channel masks of 8 to 32
// bits, luminance, alpha) or DXT1/3/5 compressed. Cube maps and volumes are refused.
#include <cstdint>
#include <span>

#include "gfx/decoded_image.h"

// False for anything malformed, unsupported or truncated; image is then unspecified.
bool DecodeDds(std::span<const uint8_t> file, DecodedImage* image);

// The picture's size from the start of a file, without decoding it; false when the start is not
// such a file's header.
bool DdsImageSize(std::span<const uint8_t> head, ImageSize* size);
