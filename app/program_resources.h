#pragma once
// Pixel data of the program's own resources: icon 102 and cursor 104.
#include <cstdint>

constexpr int kIconResource = 102;
constexpr int kCursorResource = 104;

// A 32 x 32, 16-colour icon: one palette index per pixel.
struct IconPixels {
  static constexpr int kSize = 32;
  uint32_t palette[16];          // ARGB; alpha 0 marks a transparent entry
  uint8_t index[kSize * kSize];  // rows top to bottom, values 0..15
};

// A 32 x 32 monochrome cursor.
struct CursorPixels {
  static constexpr int kSize = 32;
  enum Pixel : uint8_t { kClear = 0, kBlack = 1, kWhite = 2 };
  uint8_t pixel[kSize * kSize];  // rows top to bottom
  int hotX, hotY;
};

extern const IconPixels kVolcanoIcon;
extern const CursorPixels kArrowCursor;
