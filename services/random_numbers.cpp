#include "services/random_numbers.h"

#include <cmath>
#include <cstdlib>

namespace {

uint32_t g_state = 1;

}  // namespace

int Rand() {
  // The linear congruential generator the C standard gives as its example.
  g_state = g_state * 1103515245u + 12345u;
  return static_cast<int>((g_state / 65536u) % 32768u);
}

void SeedRand(uint32_t seed) {
  g_state = seed;
}

int32_t RandomInt(int32_t lo, int32_t hi) {
  if (lo == hi) return lo;
  int64_t span = std::llabs(int64_t{hi} - lo) + 1;
  return static_cast<int32_t>(lo + Rand() % span);
}

float RandomFloat(float lo, float hi) {
  if (lo == hi) return lo;
  const float r = static_cast<float>(Rand()) * 3.0518509e-05f;  // 1 / 32767 as a float
  return lo + std::fabs(hi - lo) * r;
}
