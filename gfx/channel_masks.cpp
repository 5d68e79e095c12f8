#include "gfx/channel_masks.h"

#include <bit>

ChannelMasks::ChannelMasks(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha)
    : red_(MakeChannel(red)),
      green_(MakeChannel(green)),
      blue_(MakeChannel(blue)),
      alpha_(MakeChannel(alpha)) {}

ChannelMasks::Channel ChannelMasks::MakeChannel(uint32_t mask) {
  if (mask == 0) return {};
  const unsigned shift = static_cast<unsigned>(std::countr_zero(mask));
  return {mask, shift, mask >> shift};
}

uint32_t ChannelMasks::Scale(const Channel& channel, uint32_t pixel, uint32_t absent) {
  if (channel.mask == 0) return absent;
  const uint64_t value = (pixel & channel.mask) >> channel.shift;
  return static_cast<uint32_t>((value * 255 + channel.max / 2) / channel.max);
}

D3DCOLOR ChannelMasks::Expand(uint32_t pixel) const {
  return Scale(alpha_, pixel, 255) << 24 | Scale(red_, pixel, 0) << 16 |
         Scale(green_, pixel, 0) << 8 | Scale(blue_, pixel, 0);
}
