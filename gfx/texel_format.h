#pragma once
// D3DCOLOR pixels written in the memory layout of a texture format, as LockRect exposes it:
// little-endian words, A8R8G8B8 as bytes B, G, R, A.
#include <cstdint>
#include <span>

#include "platform/d3d8.h"

// Bytes per texel of the formats the loader can write; 0 for any other.
unsigned TexelBytes(D3DFORMAT format);
// Converts one row; dst holds pixels.size() * TexelBytes(format) bytes. Channels narrower than
// eight bits are rounded to the nearest step.
void PackTexels(std::span<const D3DCOLOR> pixels, D3DFORMAT format, uint8_t* dst);
