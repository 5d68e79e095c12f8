#pragma once
// Image files read for textures. The head comes first, so that what is not a picture within one
// texture's budget is refused before the rest is read; then no more than such a picture's file
// can need.
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/decoded_image.h"

// What the texture of one image file may take, its full mip chain at four bytes a texel
// included: three times the largest of the program's own (1024 x 1024, 5.3 MiB), and a bound on
// what decoding any file can make the program keep.
constexpr uint64_t kMaxTextureBytes = 16u << 20;

// Texture memory a picture of that size takes as loaded: four bytes a texel, full mip chain.
uint64_t LoadedTextureBytes(ImageSize size);

// The file's bytes and its picture's size; false with a reason that names the file when it
// can't be read, is no picture the decoders know, or its texture would pass kMaxTextureBytes.
bool ReadImageFile(const char* name, std::vector<uint8_t>* bytes, ImageSize* size,
                   std::string* error);
