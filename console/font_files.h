#pragma once
// The two files of a bitmap font, checked and parsed from memory: an 8-bit palettised BMP strip
// with every glyph side by side (palette index 0 background, any other index ink), and a
// description: the glyph count and cell size as three numbers, then at once one character per
// glyph in strip order ("3 8 16ABC"). Both come from outside, so every size, count and offset is
// checked against the bytes really there, and nothing a file claims can make us allocate more
// than the files' own size.
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class FontFiles {
 public:
  // What the loader reads at most: far beyond any sensible font.
  static constexpr uint64_t kMaxImageBytes = 16 << 20;
  static constexpr uint64_t kMaxDescriptionBytes = 64 << 10;
  static constexpr int kMaxGlyphs = 256;
  static constexpr int kMaxCellSize = 256;

  // False, with a reason, when a file is malformed or the strip lacks a described cell. A glyph
  // count below 1 gives an empty font.
  bool Parse(std::span<const uint8_t> image, std::span<const uint8_t> description,
             std::string* error);

  int GlyphCount() const { return static_cast<int>(characters_.size()); }
  int CellWidth() const { return cellWidth_; }
  int CellHeight() const { return cellHeight_; }
  char Character(int glyph) const { return characters_[glyph]; }
  // Whether texel (x, y) of a glyph's cell is ink; row 0 is the top of the picture.
  bool Inked(int glyph, int x, int y) const;
  // The image's first ink colour (palette entry 1) as an opaque A4R4G4B4 texel; 0 when the file
  // has no palette.
  uint16_t PaletteInk() const { return paletteInk_; }

 private:
  struct Header {
    uint64_t pixelOffset = 0;
    uint64_t width = 0;
    uint64_t height = 0;
  };

  static bool ReadHeader(std::span<const uint8_t> image, Header* header, std::string* error);
  bool ReadDescription(std::span<const uint8_t> description, std::string* error);
  bool CutStrip(std::span<const uint8_t> image, const Header& header, std::string* error);

  std::vector<char> characters_;
  std::vector<uint8_t> strip_;  // the cells' rows, top first, glyph count x cell width bytes each
  int cellWidth_ = 0;
  int cellHeight_ = 0;
  uint16_t paletteInk_ = 0;
};
