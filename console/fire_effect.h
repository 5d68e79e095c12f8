#pragma once
// A burning fire as a texture: the fire automaton's heat field shown through a 256-colour
// palette read from an image file, one step and one upload per Update. The console's backdrop
// uses one; the demo's fire billboards use a small one.
#include <array>
#include <span>

#include "console/fire_field.h"
#include "gfx/decoded_image.h"
#include "platform/d3d8.h"

class FireEffect {
 public:
  // The palette of every fire the program burns: the console's and the fire billboards'.
  static constexpr const char* kPaletteFile = "misc\\firepal.bmp";

  FireEffect() = default;
  ~FireEffect();
  FireEffect(const FireEffect&) = delete;
  FireEffect& operator=(const FireEffect&) = delete;

  // A size x size fire coloured by the palette of paletteFile (a paletted image), in a 16-bit
  // R5G6B5 texture when sixteenBit is set, else A8R8G8B8 (alpha 0). A palette file that can't be
  // read or gives fewer than 256 colours of its own is named on standard error with the reason.
  bool Init(int size, const char* paletteFile, int seedRunWidth, int cooling, int seedBias,
            bool sixteenBit, IDirect3DDevice8* device);
  // One step of the automaton, then the new field into the texture. False when the texture
  // can't be locked or unlocked; it then keeps its last picture.
  bool Update();

  IDirect3DTexture8* Texture() const { return texture_; }
  const FireField& Field() const { return field_; }
  // In the 16-bit case already reduced to 5, 6 and 5 bits.
  const std::array<PALETTEENTRY, kPaletteSize>& Palette() const { return palette_; }

 private:
  bool ReadPalette(const char* fileName);
  void ReducePaletteTo16Bit();
  // Writes every row but the bottom (seed) row, which keeps what the new texture held.
  bool Upload(std::span<const uint8_t> field);

  bool sixteenBit_ = false;
  std::array<PALETTEENTRY, kPaletteSize> palette_{};
  FireField field_;
  IDirect3DTexture8* texture_ = nullptr;
  int seedBias_ = 0;
  int cooling_ = 0;
  int seedRunWidth_ = 0;
};
