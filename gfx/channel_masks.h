#pragma once
// Pixels described by bit masks per channel (BMP bit fields, DDS, 16-bit TGA) widened to
// D3DCOLOR. A channel narrower than eight bits is widened by repeating its bits (so 0 stays 0
// and full stays full), a wider one keeps its top eight; a channel without a mask reads 0,
// except alpha, which reads opaque.
#include <array>
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
    unsigned narrowBy = 0;               // bits dropped from a channel wider than eight
    std::array<uint8_t, 256> widened{};  // a channel of up to eight bits, by value
  };
  static Channel MakeChannel(uint32_t mask);
  static uint32_t Scale(const Channel& channel, uint32_t pixel, uint32_t absent);

  Channel red_, green_, blue_, alpha_;
};
