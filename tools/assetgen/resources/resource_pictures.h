#pragma once
#include <array>
#include <cstdint>

namespace assetgen {

// The program's window icon and mouse cursor as plain pixels, 32 x 32, rows top to bottom.
constexpr int kResourceSize = 32;

struct IconPicture {
  std::array<uint32_t, 16> palette{};  // ARGB; alpha 0 is see-through
  std::array<uint8_t, kResourceSize * kResourceSize> index{};
};

struct CursorPicture {
  enum Pixel : uint8_t { kClear = 0, kBlack = 1, kWhite = 2 };
  std::array<uint8_t, kResourceSize * kResourceSize> pixel{};
  int hotX = 0, hotY = 0;
};

}  // namespace assetgen
