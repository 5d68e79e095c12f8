#pragma once
#include <cstdint>

namespace assetgen {

// A small seeded generator (SplitMix64). Library distributions differ between platforms;
// this one gives the same numbers everywhere, so the generated files never change.
class RandomStream {
 public:
  explicit RandomStream(uint64_t seed) : state_(seed) {}

  uint64_t next();
  double uniform();                      // [0, 1)
  double uniform(double lo, double hi);  // [lo, hi)
  int below(int count);                  // [0, count)

 private:
  uint64_t state_;
};

}  // namespace assetgen
