#pragma once
// D3DCOLOR pixels written in the memory layout of a texture format, as LockRect exposes it:
// little-endian words laid out as the device's format table describes them.
#include <cstdint>
#include <span>

#include "platform/d3d8.h"

// Bytes per texel of the texture formats the device can make; 0 for any other.
unsigned TexelBytes(D3DFORMAT format);
// Converts one row; dst holds pixels.size() * TexelBytes(format) bytes. Channels narrower than
// eight bits are rounded to the nearest step.
void PackTexels(std::span<const D3DCOLOR> pixels, D3DFORMAT format, uint8_t* dst);
