#include "tools/assetgen/formats/bmp_writer.h"

#include "tools/assetgen/formats/byte_buffer.h"

namespace assetgen {

namespace {
constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dpi
}  // namespace

uint32_t BmpWriter::RowStride(int width, int bitsPerPixel) {
  uint32_t rowBytes = static_cast<uint32_t>(width) * bitsPerPixel / 8;
  return (rowBytes + 3) & ~3u;
}

void BmpWriter::WriteHeaders(ByteBuffer& out, int width, int height, int bitsPerPixel,
                             uint32_t paletteBytes) {
  uint32_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes + paletteBytes;
  uint32_t pixelBytes = RowStride(width, bitsPerPixel) * static_cast<uint32_t>(height);
  out.Text("BM");
  out.U32(pixelOffset + pixelBytes);
  out.U32(0);
  out.U32(pixelOffset);
  out.U32(kInfoHeaderBytes);
  out.I32(width);
  out.I32(height);
  out.U16(1);
  out.U16(static_cast<uint16_t>(bitsPerPixel));
  out.U32(0);
  out.U32(pixelBytes);
  out.I32(kPixelsPerMetre);
  out.I32(kPixelsPerMetre);
  out.U32(paletteBytes / 4);
  out.U32(0);
}

std::vector<uint8_t> BmpWriter::Encode(const Image& image) {
  ByteBuffer out;
  WriteHeaders(out, image.Width(), image.Height(), 24, 0);
  size_t padding = RowStride(image.Width(), 24) - static_cast<size_t>(image.Width()) * 3;
  for (int y = image.Height() - 1; y >= 0; --y) {
    for (int x = 0; x < image.Width(); ++x) {
      const Rgb& pixel = image.At(x, y);
      out.U8(ToByte(pixel.b));
      out.U8(ToByte(pixel.g));
      out.U8(ToByte(pixel.r));
    }
    out.Zeros(padding);
  }
  return out.Bytes();
}

std::vector<uint8_t> BmpWriter::Encode(const IndexedImage& image) {
  ByteBuffer out;
  WriteHeaders(out, image.width, image.height, 8, 256 * 4);
  for (const Rgb& colour : image.palette) {
    out.U8(ToByte(colour.b));
    out.U8(ToByte(colour.g));
    out.U8(ToByte(colour.r));
    out.U8(0);
  }
  size_t padding = RowStride(image.width, 8) - static_cast<size_t>(image.width);
  for (int y = image.height - 1; y >= 0; --y) {
    for (int x = 0; x < image.width; ++x)
      out.U8(image.indices[static_cast<size_t>(y) * image.width + x]);
    out.Zeros(padding);
  }
  return out.Bytes();
}

}  // namespace assetgen
