#pragma once
// Small image files in every encoding the loader reads, written here byte by byte so that the
// decoders are checked against an independent writer.
#include <cstdint>
#include <string>
#include <vector>

#include "gfx/decoded_image.h"

// A paletted picture; true-colour encodings write its colours.
struct TestPicture {
  uint32_t width = 0;
  uint32_t height = 0;
  std::vector<uint8_t> indices;  // one per pixel, top row first
  std::vector<PALETTEENTRY> palette;

  D3DCOLOR Color(uint32_t x, uint32_t y) const;
  std::vector<D3DCOLOR> Colors() const;
};

// width x height with `colors` distinct colours (at most 256) in a pattern where no two rows
// and no two columns agree, so any flip or shift shows.
TestPicture SamplePicture(uint32_t width, uint32_t height, uint32_t colors);
// The palette as a decoder returns it: kPaletteSize entries, the unused ones opaque black.
std::vector<PALETTEENTRY> FullPalette(const TestPicture& picture);

enum class RowOrder { kBottomUp, kTopDown };

// 1, 4 or 8 bits a pixel (indices), 24 or 32 (colours).
std::string BmpFile(const TestPicture& picture, unsigned bits, RowOrder order);
// 8-bit run-length encoded, with runs for repeated indices and literal runs otherwise.
std::string BmpRle8File(const TestPicture& picture);
// A bitmap with a 56-byte header, bit-field compression and the given masks (red, green, blue,
// alpha), 16 or 32 bits a pixel, bottom-up; pixels holds the raw values, top row first.
std::string BmpBitFieldsFile(uint32_t width, uint32_t height, unsigned bits,
                             const uint32_t (&masks)[4], const std::vector<uint32_t>& pixels);
// The BMP headers for an 8-bit (or 4-bit) run-length file whose pixel data is `stream`.
std::string BmpRleWrap(uint32_t width, uint32_t height, const std::vector<PALETTEENTRY>& palette,
                       const std::string& stream, unsigned bits = 8);

enum class TgaKind { kColorMapped, kTrueColor16, kTrueColor24, kTrueColor32, kGrey };
constexpr uint8_t kTgaRightToLeft = 0x10;
constexpr uint8_t kTgaTopToBottom = 0x20;
// descriptor: the orientation bits; alpha bits are added for 16 and 32 bits.
std::string TgaFile(const TestPicture& picture, TgaKind kind, bool rle, uint8_t orientation);

// Uncompressed, 32 bits a pixel with A8R8G8B8 masks.
std::string DdsArgbFile(uint32_t width, uint32_t height, const std::vector<D3DCOLOR>& pixels);
// Compressed: fourCc "DXT1", "DXT3" or "DXT5" and the blocks' bytes.
std::string DdsDxtFile(uint32_t width, uint32_t height, const char* fourCc,
                       const std::string& blocks);

// Through the screenshot writer: 8-bit RGBA.
std::string PngFile(uint32_t width, uint32_t height, const std::vector<D3DCOLOR>& pixels);

// Through libpng's colour-map writer: the picture's palette, with its alphas, and indices.
std::string PngPalettedFile(const TestPicture& picture);

// Through libjpeg: 4:4:4 at the given quality, or one grey channel (the pixels' blue).
std::string JpegFile(uint32_t width, uint32_t height, const std::vector<D3DCOLOR>& pixels,
                     int quality, bool progressive, bool grey = false);

// The bytes of a file (empty when missing) and writing one.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);
