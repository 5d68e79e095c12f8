#pragma once
// Resamples a D3DCOLOR picture to another size, each destination pixel the area-weighted mean of
// the source pixels its footprint covers. Halving a side averages exact pairs, which makes each
// mip level the 2 x 2 box average of the one above.
#include <cstdint>
#include <span>

#include "platform/d3d8.h"

struct PixelRect {
  uint32_t width;
  uint32_t height;
};

// src holds srcSize.width x srcSize.height pixels and dst dstSize's, top row first; neither
// size may be zero.
void BoxFilter(std::span<const D3DCOLOR> src, PixelRect srcSize, std::span<D3DCOLOR> dst,
               PixelRect dstSize);
