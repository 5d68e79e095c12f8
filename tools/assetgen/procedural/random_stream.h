#pragma once
#include <cstdint>

namespace assetgen {

// A small seeded generator (SplitMix64). Library distributions differ between platforms;
// this one gives the same numbers everywhere, so the generated files never change.
class RandomStream {
 public:
  explicit RandomStream(uint64_t seed) : state_(seed) {}

  uint64_t Next();
  double Uniform();                      // [0, 1)
  double Uniform(double lo, double hi);  // [lo, hi)
  int Below(int count);                  // [0, count)

 private:
  uint64_t state_;
};

}  // namespace assetgen
