#pragma once
// A picture decoded from an image file: what every decoder produces and what the texture loader
// consumes. Decoders are pure functions over the file's bytes; none needs a device.
#include <cstdint>
#include <vector>

#include "platform/d3d8.h"

// One colour of a paletted image; flags carry the entry's alpha (255 opaque).
struct PALETTEENTRY {
  BYTE peRed;
  BYTE peGreen;
  BYTE peBlue;
  BYTE peFlags;
};

constexpr uint32_t kMaxImageDimension = 16384;
// Pixels one picture may have: 8192 x 8192, room for every texture of the demo and an ordinary
// photograph, and at four bytes a pixel a bound on what any file can make us allocate.
constexpr uint64_t kMaxImagePixels = uint64_t{1} << 26;
constexpr uint32_t kPaletteSize = 256;

enum D3DXIMAGE_FILEFORMAT : uint32_t {
  D3DXIFF_BMP = 0,
  D3DXIFF_JPG = 1,
  D3DXIFF_TGA = 2,
  D3DXIFF_PNG = 3,
  D3DXIFF_DDS = 4,
};

// A picture's size as its file's header gives it.
struct ImageSize {
  uint32_t width = 0;
  uint32_t height = 0;
};

struct DecodedImage {
  uint32_t width = 0;
  uint32_t height = 0;
  // D3DCOLOR (0xAARRGGBB) per pixel, top row first. Opaque images have alpha 255 everywhere.
  std::vector<D3DCOLOR> pixels;
  bool hasAlpha = false;
  // kPaletteSize entries for paletted files (unused entries black), empty otherwise.
  std::vector<PALETTEENTRY> palette;
  // How many entries the file itself gives, and whether a BMP's run into its pixel data.
  uint32_t paletteColors = 0;
  bool paletteOverlapsPixels = false;
  D3DXIMAGE_FILEFORMAT fileFormat = D3DXIFF_BMP;

  D3DCOLOR& At(uint32_t x, uint32_t y) { return pixels[size_t{y} * width + x]; }
  D3DCOLOR At(uint32_t x, uint32_t y) const { return pixels[size_t{y} * width + x]; }
};

inline constexpr D3DCOLOR PackArgb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) {
  return ((a & 0xFF) << 24) | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
}
inline constexpr D3DCOLOR PaletteColor(const PALETTEENTRY& e) {
  return PackArgb(e.peFlags, e.peRed, e.peGreen, e.peBlue);
}

// Both sides within kMaxImageDimension and not zero, and no more than kMaxImagePixels.
bool IsAcceptableSize(uint64_t width, uint64_t height);
// Sizes the pixel array for width x height, all transparent black; the caller has checked the
// size and that the file holds the data.
void AllocatePixels(DecodedImage* image, uint32_t width, uint32_t height);
// An empty palette of kPaletteSize opaque black entries.
std::vector<PALETTEENTRY> BlackPalette();
