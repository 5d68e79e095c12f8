#include "gfx/channel_masks.h"

#include <bit>

namespace {

// An n-bit value repeated from the top of eight bits down: 4-bit 0xA gives 0xAA.
uint8_t Replicate(uint32_t value, unsigned bits) {
  uint32_t out = 0;
  for (int free = 8; free > 0; free -= static_cast<int>(bits)) {
    out |= free >= static_cast<int>(bits) ? value << (free - static_cast<int>(bits))
                                          : value >> (static_cast<int>(bits) - free);
  }
  return static_cast<uint8_t>(out);
}

}  // namespace

ChannelMasks::ChannelMasks(uint32_t red, uint32_t green, uint32_t blue, uint32_t alpha)
    : red_(MakeChannel(red)),
      green_(MakeChannel(green)),
      blue_(MakeChannel(blue)),
      alpha_(MakeChannel(alpha)) {}

ChannelMasks::Channel ChannelMasks::MakeChannel(uint32_t mask) {
  Channel channel;
  if (mask == 0) return channel;
  channel.mask = mask;
  channel.shift = static_cast<unsigned>(std::countr_zero(mask));
  const auto bits = static_cast<unsigned>(std::bit_width(mask >> channel.shift));
  if (bits > 8) {
    channel.narrowBy = bits - 8;
    return channel;
  }
  for (uint32_t value = 0; value < (1u << bits); ++value) {
    channel.widened[value] = Replicate(value, bits);
  }
  return channel;
}

uint32_t ChannelMasks::Scale(const Channel& channel, uint32_t pixel, uint32_t absent) {
  if (channel.mask == 0) return absent;
  const uint32_t value = (pixel & channel.mask) >> channel.shift;
  return channel.narrowBy > 0 ? value >> channel.narrowBy : channel.widened[value];
}

D3DCOLOR ChannelMasks::Expand(uint32_t pixel) const {
  return Scale(alpha_, pixel, 255) << 24 | Scale(red_, pixel, 0) << 16 |
         Scale(green_, pixel, 0) << 8 | Scale(blue_, pixel, 0);
}
