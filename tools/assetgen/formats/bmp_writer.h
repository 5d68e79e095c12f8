#pragma once
#include <cstdint>
#include <vector>

#include "tools/assetgen/formats/image.h"
#include "tools/assetgen/formats/indexed_image.h"

namespace assetgen {

class ByteBuffer;

// Uncompressed Windows bitmaps with a 40-byte info header, rows stored bottom-up and padded
// to four bytes. The size of the pixel block is always filled in: some readers rely on it.
class BmpWriter {
 public:
  static std::vector<uint8_t> Encode(const Image& image);         // 24 bits per pixel
  static std::vector<uint8_t> Encode(const IndexedImage& image);  // 8 bits, 256 colours

 private:
  static void WriteHeaders(ByteBuffer& out, int width, int height, int bitsPerPixel,
                           uint32_t paletteBytes);
  static uint32_t RowStride(int width, int bitsPerPixel);
};

}  // namespace assetgen
