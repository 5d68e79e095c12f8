#pragma once
// Decodes an image file of any supported format, recognised by its contents: BMP, DDS, PNG and
// JPEG by their signatures, TGA (which has none) by a header that makes sense.
#include <cstdint>
#include <span>

#include "gfx/decoded_image.h"

// False when no decoder accepts the file; image is then unspecified.
bool DecodeImage(std::span<const uint8_t> file, DecodedImage* image);

// The start of a file that ReadImageSize needs: every header the decoders know, a JPEG's
// metadata segments before its frame header included.
constexpr size_t kImageHeadBytes = 256 << 10;
// The picture's size from the first kImageHeadBytes of its file (or all of a shorter one),
// before anything is decoded; false when no decoder recognises the head.
bool ReadImageSize(std::span<const uint8_t> head, ImageSize* size);
