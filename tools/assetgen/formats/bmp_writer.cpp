#include "tools/assetgen/formats/bmp_writer.h"

#include "tools/assetgen/formats/byte_buffer.h"

namespace assetgen {

namespace {
constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dpi
}  // namespace

uint32_t BmpWriter::rowStride(int width, int bitsPerPixel) {
  uint32_t rowBytes = static_cast<uint32_t>(width) * bitsPerPixel / 8;
  return (rowBytes + 3) & ~3u;
}

void BmpWriter::writeHeaders(ByteBuffer& out, int width, int height, int bitsPerPixel,
                             uint32_t paletteBytes) {
  uint32_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes + paletteBytes;
  uint32_t pixelBytes = rowStride(width, bitsPerPixel) * static_cast<uint32_t>(height);
  out.text("BM");
  out.u32(pixelOffset + pixelBytes);
  out.u32(0);
  out.u32(pixelOffset);
  out.u32(kInfoHeaderBytes);
  out.i32(width);
  out.i32(height);
  out.u16(1);
  out.u16(static_cast<uint16_t>(bitsPerPixel));
  out.u32(0);
  out.u32(pixelBytes);
  out.i32(kPixelsPerMetre);
  out.i32(kPixelsPerMetre);
  out.u32(paletteBytes / 4);
  out.u32(0);
}

std::vector<uint8_t> BmpWriter::encode(const Image& image) {
  ByteBuffer out;
  writeHeaders(out, image.width(), image.height(), 24, 0);
  size_t padding = rowStride(image.width(), 24) - static_cast<size_t>(image.width()) * 3;
  for (int y = image.height() - 1; y >= 0; --y) {
    for (int x = 0; x < image.width(); ++x) {
      const Rgb& pixel = image.at(x, y);
      out.u8(toByte(pixel.b));
      out.u8(toByte(pixel.g));
      out.u8(toByte(pixel.r));
    }
    out.zeros(padding);
  }
  return out.bytes();
}

std::vector<uint8_t> BmpWriter::encode(const IndexedImage& image) {
  ByteBuffer out;
  writeHeaders(out, image.width, image.height, 8, 256 * 4);
  for (const Rgb& colour : image.palette) {
    out.u8(toByte(colour.b));
    out.u8(toByte(colour.g));
    out.u8(toByte(colour.r));
    out.u8(0);
  }
  size_t padding = rowStride(image.width, 8) - static_cast<size_t>(image.width);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x)
      out.u8(image.indices[static_cast<size_t>(y) * image.width + x]);
    out.zeros(padding);
  }
  return out.bytes();
}

}  // namespace assetgen
