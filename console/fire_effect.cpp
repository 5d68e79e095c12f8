#include "console/fire_effect.h"

#include <algorithm>
#include <cstring>
#include <vector>

#include "gfx/d3dx_texture.h"
#include "gfx/image_decoder.h"
#include "gfx/image_file.h"
#include "platform/files.h"

namespace {

// Sides beyond this are a mistake in the caller: the fields and texture grow with the square.
constexpr int kMaxSize = 1024;

// Why a decoded picture's palette can't colour a fire, or nothing: only colours the file itself
// gives count, never pixel bytes read as colours.
std::string PaletteProblem(const DecodedImage& image) {
  if (image.paletteColors != kPaletteSize) {
    return "a palette of " + std::to_string(image.paletteColors) + " colours, not the " +
           std::to_string(kPaletteSize) + " of a fire";
  }
  if (image.paletteOverlapsPixels) return "a palette that runs into its pixels";
  return {};
}

uint8_t Reduce(uint8_t channel, int top) {
  return static_cast<uint8_t>(channel * top / 255);
}

}  // namespace

FireEffect::~FireEffect() {
  SafeRelease(texture_);
}

bool FireEffect::Init(int size, const char* paletteFile, int seedRunWidth, int cooling,
                      int seedBias, bool sixteenBit, IDirect3DDevice8* device) {
  SafeRelease(texture_);
  sixteenBit_ = sixteenBit;
  seedBias_ = seedBias;
  cooling_ = cooling;
  seedRunWidth_ = seedRunWidth;
  // A run width below 1 would never finish seeding.
  if (size < 1 || size > kMaxSize || seedRunWidth < 1 || !ReadPalette(paletteFile)) return false;
  field_.Resize(size);
  field_.Seed(seedRunWidth_, seedBias_);
  field_.Rise(cooling_);
  if (FAILED(D3DXCreateTexture(device, size, size, 1, 0,
                               sixteenBit_ ? D3DFMT_R5G6B5 : D3DFMT_A8R8G8B8, D3DPOOL_MANAGED,
                               &texture_))) {
    return false;
  }
  if (sixteenBit_) ReducePaletteTo16Bit();
  // The first picture is the field just computed, before any swap.
  return Upload(field_.Next());
}

bool FireEffect::ReadPalette(const char* fileName) {
  if (!fileName) return false;
  std::vector<uint8_t> file;
  ImageSize size;
  DecodedImage image;
  std::string error;
  if (!ReadImageFile(fileName, &file, &size, &error)) {
    ReportOnce(error);
    return false;
  }
  const std::string why =
      DecodeImage(file, &image) ? PaletteProblem(image) : "its picture is damaged or cut short";
  if (!why.empty()) {
    ReportOnce(HostPath(fileName) + ": " + why);
    return false;
  }
  std::copy(image.palette.begin(), image.palette.end(), palette_.begin());
  return true;
}

void FireEffect::ReducePaletteTo16Bit() {
  for (PALETTEENTRY& entry : palette_) {
    entry.peRed = Reduce(entry.peRed, 31);
    entry.peGreen = Reduce(entry.peGreen, 63);
    entry.peBlue = Reduce(entry.peBlue, 31);
  }
}

bool FireEffect::Update() {
  field_.Seed(seedRunWidth_, seedBias_);
  field_.Rise(cooling_);
  field_.Swap();
  return Upload(field_.Current());
}

bool FireEffect::Upload(std::span<const uint8_t> field) {
  D3DLOCKED_RECT locked{};
  if (!texture_ || FAILED(texture_->LockRect(0, &locked, nullptr, 0))) return false;
  const int size = field_.Size();
  for (int y = 0; y < size - 1; ++y) {
    uint8_t* row = static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch;
    const uint8_t* heat = &field[size_t(y) * size];
    for (int x = 0; x < size; ++x) {
      const PALETTEENTRY& p = palette_[heat[x]];
      if (sixteenBit_) {
        const uint16_t texel = static_cast<uint16_t>(p.peRed << 11 | p.peGreen << 5 | p.peBlue);
        std::memcpy(row + 2 * x, &texel, 2);
      } else {
        // Alpha 0: the console takes the backdrop's opacity from its vertices.
        const uint8_t texel[4] = {p.peBlue, p.peGreen, p.peRed, 0};
        std::memcpy(row + 4 * x, texel, 4);
      }
    }
  }
  return SUCCEEDED(texture_->UnlockRect(0));
}
