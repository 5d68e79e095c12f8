#include "tools/assetgen/resources/volcano_icon.h"

#include <cmath>
#include <cstdlib>

namespace assetgen {

namespace {
constexpr float kCentre = 15.5f;
constexpr int kCraterRow = 10;
constexpr int kSeaRow = 26;

struct Puff {
  float x, y, radius;
};
constexpr Puff kPuffs[] = {
    {14.f, 7.f, 3.2f}, {18.5f, 4.5f, 3.6f}, {13.f, 2.5f, 2.6f}, {22.5f, 2.f, 2.4f}};

constexpr uint32_t kPalette[16] = {
    0x00000000, 0xFF141012, 0xFF0E4A6E, 0xFF2A86A8, 0xFFE6F0F0, 0xFF3A2A22, 0xFF664634, 0xFF93704F,
    0xFF3C7A2A, 0xFFB41C0A, 0xFFFF7A10, 0xFFFFE040, 0xFF4E4E54, 0xFF8A8A90, 0xFFC8C8CC, 0xFFFFB040,
};

float ConeHalfWidth(int y) {
  return 2.5f + (y - kCraterRow) * 0.85f;
}

// Where a lava stream runs on row y: two tongues down the front of the cone.
bool OnLava(int x, int y) {
  if (y <= kCraterRow || y >= kSeaRow - 2) return false;
  float left = kCentre - 1.5f - (y - kCraterRow) * 0.45f + std::sin(y * 0.9f) * 0.8f;
  float right = kCentre + 1.f + (y - kCraterRow) * 0.3f + std::sin(y * 0.7f + 1.f) * 0.7f;
  int reach = y - kCraterRow;
  return (std::fabs(x - left) < 0.9f && reach < 13) || (std::fabs(x - right) < 0.9f && reach < 9);
}
}  // namespace

bool VolcanoIcon::OnCone(int x, int y) {
  return y >= kCraterRow && y < kSeaRow && std::fabs(x + 0.5f - kCentre) <= ConeHalfWidth(y);
}

VolcanoIcon::Colour VolcanoIcon::ConeColour(int x, int y) {
  if (y == kCraterRow && std::fabs(x + 0.5f - kCentre) < 2) return kLavaYellow;
  if (OnLava(x, y)) return (x + y) % 3 == 0 ? kLavaYellow : kLavaOrange;
  bool besideLava = OnLava(x - 1, y) || OnLava(x + 1, y);
  if (besideLava) return kLavaRed;
  // Lit from the left: the left flank light, the right flank in shade.
  float across = (x + 0.5f - kCentre) / ConeHalfWidth(y);
  if (y >= kSeaRow - 4 && (x * 7 + y * 3) % 5 != 0) return kGrass;
  if (across < -0.45f) return kRockLit;
  if (across > 0.35f) return kRockShade;
  return kRock;
}

VolcanoIcon::Colour VolcanoIcon::SmokeColour(int x, int y) {
  for (const Puff& puff : kPuffs) {
    float dx = x + 0.5f - puff.x;
    float dy = y + 0.5f - puff.y;
    float d = std::hypot(dx, dy) / puff.radius;
    if (d > 1) continue;
    if (dx + dy < -puff.radius * 0.6f) return kSmokeLit;
    return dx + dy > puff.radius * 0.5f ? kSmokeShade : kSmoke;
  }
  return kClear;
}

VolcanoIcon::Colour VolcanoIcon::SeaColour(int x, int y) {
  int row = y - kSeaRow;
  if (row == 0) return (x + 1) % 5 < 2 ? kFoam : kSeaLight;
  return (x + row * 2) % 7 < 2 ? kSeaLight : kSeaDeep;
}

VolcanoIcon::Colour VolcanoIcon::PixelColour(int x, int y) {
  if (y >= kSeaRow) return SeaColour(x, y);
  if (OnCone(x, y)) {
    bool edge = !OnCone(x - 1, y) || !OnCone(x + 1, y) || !OnCone(x, y - 1);
    return edge && !(y == kCraterRow && std::fabs(x + 0.5f - kCentre) < 2) ? kOutline
                                                                           : ConeColour(x, y);
  }
  // Sparks just above the crater, under the smoke.
  int above = kCraterRow - y;
  if (above > 0 && above <= 2 && std::abs(x * 2 + 1 - 31) + above * 2 < 7 && (x + y) % 2 == 0)
    return kEmber;
  return SmokeColour(x, y);
}

IconPicture VolcanoIcon::Draw() {
  IconPicture icon;
  for (int k = 0; k < 16; ++k) icon.palette[k] = kPalette[k];
  for (int y = 0; y < kResourceSize; ++y) {
    for (int x = 0; x < kResourceSize; ++x) icon.index[y * kResourceSize + x] = PixelColour(x, y);
  }
  return icon;
}

}  // namespace assetgen
