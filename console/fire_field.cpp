#include "console/fire_field.h"

#include <algorithm>

#include "services/random_numbers.h"

namespace {

constexpr int kUnseededEdge = 5;  // columns at each side of the bottom row that stay cold

uint8_t Heat(int value) {
  return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

}  // namespace

void FireField::Resize(int size) {
  size_ = size;
  current_.assign(size_t(size) * size, 0);
  next_.assign(size_t(size) * size, 0);
}

void FireField::Seed(int runWidth, int bias) {
  if (size_ - kUnseededEdge <= kUnseededEdge) return;
  const size_t bottom = size_t(size_ - 1) * size_;
  for (int x = kUnseededEdge; x < size_ - kUnseededEdge; x += runWidth) {
    const uint8_t heat = Heat(RandomInt(0, 63) + current_[bottom + x] - bias);
    // A run never reaches past the row, however wide.
    const int end = std::min(x + runWidth, size_);
    std::fill(next_.begin() + bottom + x, next_.begin() + bottom + end, heat);
  }
}

void FireField::Rise(int cooling) {
  for (int y = 0; y < size_; ++y) {
    const uint8_t* row = &current_[size_t(y) * size_];
    const uint8_t* below = &current_[size_t(std::min(y + 1, size_ - 1)) * size_];
    const uint8_t* above = &current_[size_t(std::max(y - 1, 0)) * size_];
    // Row 0 is written twice, from itself and then from row 1; the second write stands.
    uint8_t* target = &next_[size_t(std::max(y - 1, 0)) * size_];
    for (int x = 0; x < size_; ++x) {
      const int right = row[(x + 1) % size_], left = row[(x - 1 + size_) % size_];
      target[x] = Heat((below[x] + above[x] + right + left) / 4 - cooling);
    }
  }
}
