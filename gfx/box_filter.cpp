#include "gfx/box_filter.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Tap {
  uint32_t source;
  float weight;
};

// The source pixels each destination pixel of one axis covers, with the share of each.
class AxisTaps {
 public:
  AxisTaps(uint32_t sourceLength, uint32_t destLength) {
    const double scale = static_cast<double>(sourceLength) / destLength;
    first_.reserve(destLength + 1);
    for (uint32_t i = 0; i < destLength; ++i) {
      first_.push_back(taps_.size());
      const double start = i * scale, end = (i + 1) * scale;
      const uint32_t last = std::min(sourceLength, static_cast<uint32_t>(std::ceil(end)));
      for (auto s = static_cast<uint32_t>(start); s < last; ++s) {
        const double overlap = std::min(end, s + 1.0) - std::max(start, static_cast<double>(s));
        if (overlap > 0) taps_.push_back({s, static_cast<float>(overlap / scale)});
      }
    }
    first_.push_back(taps_.size());
  }

  std::span<const Tap> For(uint32_t i) const {
    return std::span(taps_).subspan(first_[i], first_[i + 1] - first_[i]);
  }

 private:
  std::vector<Tap> taps_;
  std::vector<size_t> first_;
};

// Each destination pixel the mean of an exact 2 x 2 block, the usual mip step, in integers: two
// channels at a time, each sum (at most 4 x 255 + 2) within its 16-bit lane.
void Halve(std::span<const D3DCOLOR> src, PixelRect srcSize, std::span<D3DCOLOR> dst,
           PixelRect dstSize) {
  constexpr uint32_t kLanes = 0x00FF00FF, kRounding = 0x00020002;
  for (uint32_t y = 0; y < dstSize.height; ++y) {
    const D3DCOLOR* top = &src[size_t{2 * y} * srcSize.width];
    const D3DCOLOR* bottom = top + srcSize.width;
    D3DCOLOR* out = &dst[size_t{y} * dstSize.width];
    for (uint32_t x = 0; x < dstSize.width; ++x) {
      const D3DCOLOR a = top[2 * x], b = top[2 * x + 1], c = bottom[2 * x], d = bottom[2 * x + 1];
      const uint32_t redBlue =
          (a & kLanes) + (b & kLanes) + (c & kLanes) + (d & kLanes) + kRounding;
      const uint32_t alphaGreen =
          (a >> 8 & kLanes) + (b >> 8 & kLanes) + (c >> 8 & kLanes) + (d >> 8 & kLanes) + kRounding;
      out[x] = (redBlue >> 2 & kLanes) | (alphaGreen >> 2 & kLanes) << 8;
    }
  }
}

uint32_t Channel(float sum, int shift) {
  return std::min(255u, static_cast<uint32_t>(sum + 0.5f)) << shift;
}

}  // namespace

void BoxFilter(std::span<const D3DCOLOR> src, PixelRect srcSize, std::span<D3DCOLOR> dst,
               PixelRect dstSize) {
  if (srcSize.width == 2 * dstSize.width && srcSize.height == 2 * dstSize.height) {
    return Halve(src, srcSize, dst, dstSize);
  }
  const AxisTaps columns(srcSize.width, dstSize.width), rows(srcSize.height, dstSize.height);
  for (uint32_t y = 0; y < dstSize.height; ++y) {
    for (uint32_t x = 0; x < dstSize.width; ++x) {
      float a = 0, r = 0, g = 0, b = 0;
      for (const Tap& row : rows.For(y)) {
        const D3DCOLOR* line = &src[size_t{row.source} * srcSize.width];
        for (const Tap& column : columns.For(x)) {
          const float w = row.weight * column.weight;
          const D3DCOLOR c = line[column.source];
          a += w * (c >> 24);
          r += w * ((c >> 16) & 0xFF);
          g += w * ((c >> 8) & 0xFF);
          b += w * (c & 0xFF);
        }
      }
      dst[size_t{y} * dstSize.width + x] =
          Channel(a, 24) | Channel(r, 16) | Channel(g, 8) | Channel(b, 0);
    }
  }
}
