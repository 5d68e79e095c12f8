#pragma once
// Pixels described by bit masks per channel (BMP bit fields, DDS, 16-bit TGA) widened to
// D3DCOLOR. Each channel's bits are scaled to 0..255; a channel without a mask reads 0, except
// alpha, which reads opaque.
#include <cstdint>

#include "platform/d3d8.h"

class ChannelMasks {
 public:
  ChannelMasks(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha);

  bool HasAlpha() const { return alpha_.mask != 0; }
  D3DCOLOR Expand(uint32_t pixel) const;

 private:
  struct Channel {
    uint32_t mask = 0;
    unsigned shift = 0;
    uint32_t max = 0;  // mask >> shift
  };
  static Channel MakeChannel(uint32_t mask);
  static uint32_t Scale(const Channel& channel, uint32_t pixel, uint32_t absent);

  Channel red_, green_, blue_, alpha_;
};
