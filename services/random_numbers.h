#pragma once
// The demo's random numbers: one sequence from a fixed start, the same on every platform,
// so every run draws the same waves, smoke and sparks.
#include <cstdint>

constexpr int kRandMax = 32767;

// The next number of the sequence, 0 to kRandMax.
int Rand();
// Starts the sequence again from seed (the program's own start is seed 1).
void SeedRand(uint32_t seed);

// lo when lo == hi (drawing nothing); otherwise lo + Rand() % (|hi - lo| + 1).
int32_t RandomInt(int32_t lo, int32_t hi);
// lo when lo == hi (drawing nothing); otherwise lo + |hi - lo| x r with r from 0 to 1
// inclusive: the result lies between lo and lo + |hi - lo| whatever the order of the
// arguments, so (1, -1) gives 1 to 3.
float RandomFloat(float lo, float hi);
