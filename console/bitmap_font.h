#pragma once
// A fixed-pitch bitmap font: every glyph of a font's strip becomes a small texture of its own in
// one 16-bit ink colour, and every character of a string is one alpha-tested quad in screen
// space, drawn one call each (the device merges such runs).
#include <array>
#include <cstdint>
#include <vector>

#include "platform/d3d8.h"

class FontFiles;

class BitmapFont {
 public:
  BitmapFont() = default;
  ~BitmapFont();
  BitmapFont(const BitmapFont&) = delete;
  BitmapFont& operator=(const BitmapFont&) = delete;

  // Loads "<baseName>.bmp" and "<baseName>.fon"; every ink texel takes color (A4R4G4B4), or the
  // image's first ink colour when color is 0. On failure the font has no glyphs and the reason
  // goes to standard error.
  bool Load(const char* baseName, uint16_t color, IDirect3DDevice8* device);
  // Draws text inside a begun scene, x pixels from the viewport's left edge; y moves the text up
  // from its place at the viewport's top edge (y = -k starts it k pixels down). scale sizes the
  // glyphs and their advance. Characters without a glyph draw nothing but take their cell.
  bool RenderText(const char* text, float x, float y, float scale, IDirect3DDevice8* device);

  // The width RenderText gives text at scale: every character takes its cell.
  float TextWidth(const char* text, float scale) const;
  float CellWidth() const { return cellWidth_; }
  float CellHeight() const { return cellHeight_; }
  size_t GlyphCount() const { return glyphs_.size(); }

 private:
  bool AddGlyph(const FontFiles& files, int glyph, uint16_t ink, IDirect3DDevice8* device);
  void DrawGlyph(IDirect3DTexture8* glyph, IDirect3DDevice8* device) const;
  void ReleaseGlyphs();

  std::vector<IDirect3DTexture8*> glyphs_;  // owned, in strip order
  // By character (as an unsigned byte): the first glyph that shows it.
  std::array<IDirect3DTexture8*, 256> byCharacter_{};
  float cellWidth_ = 0.0f;
  float cellHeight_ = 0.0f;
};
