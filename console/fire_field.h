#pragma once
// The fire automaton: a square field of heat values, 0 to 255. Random heat is fed into the
// bottom row, and each step lets the heat rise one row while averaging it with its neighbours
// and cooling it. Two fields take turns: a step reads the current one and writes the next.
#include <cstdint>
#include <span>
#include <vector>

class FireField {
 public:
  // Both fields size x size and cold.
  void Resize(int size);
  // Seeds the next field's bottom row from the current one: runs of runWidth columns from
  // column 5 on, each taking one random step of -bias to 63 - bias, clamped to 0..255.
  // Fields of 10 or fewer columns are never seeded.
  void Seed(int runWidth, int bias);
  // Fills every row of the next field but the bottom one: each cell's heat comes from the cell
  // below it, the mean of that cell's four neighbours less the cooling. Columns wrap round.
  void Rise(int cooling);
  // The field just computed becomes the current one.
  void Swap() { current_.swap(next_); }

  int Size() const { return size_; }
  // Rows of size values, row 0 at the top.
  std::span<const uint8_t> Current() const { return current_; }
  std::span<const uint8_t> Next() const { return next_; }
  uint8_t& At(int x, int y) { return current_[size_t(y) * size_ + x]; }

 private:
  int size_ = 0;
  std::vector<uint8_t> current_;
  std::vector<uint8_t> next_;
};
