#include "tools/assetgen/audio/envelope.h"

#include <cstddef>

namespace assetgen {

Envelope::Envelope(std::initializer_list<Point> points) : points_(points) {}

float Envelope::At(float seconds) const {
  if (points_.empty()) return 0;
  if (seconds <= points_.front().seconds) return points_.front().level;
  for (size_t k = 1; k < points_.size(); ++k) {
    const Point& from = points_[k - 1];
    const Point& to = points_[k];
    if (seconds <= to.seconds) {
      float t = (seconds - from.seconds) / (to.seconds - from.seconds);
      return from.level + (to.level - from.level) * t;
    }
  }
  return points_.back().level;
}

}  // namespace assetgen
