#pragma once
// Baseline and progressive JPEG through libjpeg: grey and YCbCr pictures.
#include <cstdint>
#include <span>

#include "gfx/decoded_image.h"

// False for anything malformed or truncated; image is then unspecified.
bool DecodeJpeg(std::span<const uint8_t> file, DecodedImage* image);

// The picture's size from the start of a file, without decoding it; false when the start is not
// such a file's header.
bool JpegImageSize(std::span<const uint8_t> head, ImageSize* size);
