#pragma once
// Small BMP files written by the tests: a header with the given fields, then raw pixel bytes.
#include <cstdint>
#include <string>
#include <vector>

struct TestBitmap {
  int32_t width = 0;
  int32_t height = 0;
  uint16_t bitsPerPixel = 24;
  uint32_t compression = 0;
  uint32_t dataOffset = 54;       // 54 + 1024 for 8-bit files with a palette
  std::vector<uint8_t> pixels;    // written at dataOffset as given
  std::vector<uint32_t> palette;  // 0x00RRGGBB entries of 8-bit files; all red when empty
};

// A 24-bit map whose pixel k is grey k x step (mod 256) in all three channels.
TestBitmap GreyRamp24(int width, int height, int step);
void WriteBitmap(const std::string& path, const TestBitmap& bitmap);
