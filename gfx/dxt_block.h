#pragma once
// One 4 x 4 block of DXT1, DXT3 or DXT5 compressed data decoded to D3DCOLOR texels, row by row.
#include <array>
#include <cstdint>

#include "platform/d3d8.h"

enum class DxtFormat { kDxt1, kDxt3, kDxt5 };

using DxtTexels = std::array<D3DCOLOR, 16>;

// Bytes one block takes: 8 for DXT1, 16 for the others.
unsigned DxtBlockBytes(DxtFormat format);
// Reads DxtBlockBytes(format) bytes. DXT1 texels are opaque or transparent black.
void DecodeDxtBlock(DxtFormat format, const uint8_t* block, DxtTexels* texels);
