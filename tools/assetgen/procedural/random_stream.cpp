#include "tools/assetgen/procedural/random_stream.h"

namespace assetgen {

uint64_t RandomStream::Next() {
  uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return z ^ (z >> 31);
}

double RandomStream::Uniform() {
  return static_cast<double>(Next() >> 11) * 0x1.0p-53;
}

double RandomStream::Uniform(double lo, double hi) {
  return lo + (hi - lo) * Uniform();
}

int RandomStream::Below(int count) {
  return static_cast<int>(Uniform() * count);
}

}  // namespace assetgen
