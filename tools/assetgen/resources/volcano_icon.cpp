#include "tools/assetgen/resources/volcano_icon.h"

#include <cmath>

namespace assetgen {

namespace {
constexpr float kCentre = 16.f;
constexpr float kCraterTop = 10.f;
constexpr float kSeaTop = 26.f;
// Samples a pixel takes across and down when painted at a desktop size.
constexpr int kSamples = 4;
// The painted outline, in pixels of the painted size.
constexpr float kOutlinePixels = 1.5f;

struct Spot {
  float x, y, radius;
};
constexpr Spot kPuffs[] = {
    {14.f, 7.f, 3.2f}, {18.5f, 4.5f, 3.6f}, {13.f, 2.5f, 2.6f}, {22.5f, 2.f, 2.4f}};
constexpr Spot kSparks[] = {
    {14.5f, 9.5f, 0.6f}, {16.5f, 8.5f, 0.6f}, {18.5f, 9.5f, 0.6f}, {15.5f, 7.6f, 0.4f}};

constexpr uint32_t kPalette[16] = {
    0x00000000, 0xFF141012, 0xFF0E4A6E, 0xFF2A86A8, 0xFFE6F0F0, 0xFF3A2A22, 0xFF664634, 0xFF93704F,
    0xFF3C7A2A, 0xFFB41C0A, 0xFFFF7A10, 0xFFFFE040, 0xFF4E4E54, 0xFF8A8A90, 0xFFC8C8CC, 0xFFFFB040,
};

float ConeHalfWidth(float y) {
  return 2.5f + (y - kCraterTop) * 0.85f;
}

bool InCrater(float x, float y) {
  return y < kCraterTop + 1.f && std::fabs(x - kCentre) < 2.f;
}

// How far a point lies across from the nearer of the two lava tongues down the cone's front;
// far away where no lava runs.
float DistanceToLava(float x, float y) {
  const float reach = y - kCraterTop;
  float distance = 1e9f;
  if (reach > 0 && reach < 13) {
    distance = std::fabs(x - (kCentre - 1.f - reach * 0.45f + std::sin(y * 0.9f) * 0.8f));
  }
  if (reach > 0 && reach < 9) {
    const float right = kCentre + 1.5f + reach * 0.3f + std::sin(y * 0.7f + 1.f) * 0.7f;
    distance = std::fmin(distance, std::fabs(x - right));
  }
  return distance;
}

bool InSpot(const Spot& spot, float x, float y) {
  return std::hypot(x - spot.x, y - spot.y) <= spot.radius;
}

// Premultiplied channels, so that see-through samples add no colour to an edge.
struct Coverage {
  float a = 0, r = 0, g = 0, b = 0;

  void Add(uint32_t argb) {
    const float alpha = static_cast<float>(argb >> 24) / 255.f;
    a += alpha;
    r += alpha * static_cast<float>((argb >> 16) & 0xFF);
    g += alpha * static_cast<float>((argb >> 8) & 0xFF);
    b += alpha * static_cast<float>(argb & 0xFF);
  }

  uint32_t Average(int samples) const {
    if (a <= 0) return 0;
    auto channel = [&](float premultiplied) {
      return static_cast<uint32_t>(std::lround(std::fmin(premultiplied / a, 255.f)));
    };
    const auto alpha = static_cast<uint32_t>(std::lround(a / static_cast<float>(samples) * 255.f));
    return alpha << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
  }
};
}  // namespace

bool VolcanoIcon::OnCone(float x, float y) {
  return y >= kCraterTop && y < kSeaTop && std::fabs(x - kCentre) <= ConeHalfWidth(y);
}

VolcanoIcon::Colour VolcanoIcon::ConeColour(float x, float y, float line) {
  if (InCrater(x, y)) return kLavaYellow;
  const bool edge = ConeHalfWidth(y) - std::fabs(x - kCentre) < line || y - kCraterTop < line;
  if (edge) return kOutline;
  const float lava = DistanceToLava(x, y);
  if (lava < 0.35f) return kLavaYellow;
  if (lava < 0.9f) return kLavaOrange;
  if (lava < 1.9f) return kLavaRed;
  if (y >= kSeaTop - 4.f + std::sin(x * 1.7f) * 0.8f) return kGrass;
  // Lit from the left: the left flank light, the right flank in shade.
  const float across = (x - kCentre) / ConeHalfWidth(y);
  if (across < -0.45f) return kRockLit;
  if (across > 0.35f) return kRockShade;
  return kRock;
}

VolcanoIcon::Colour VolcanoIcon::SmokeColour(float x, float y) {
  for (const Spot& puff : kPuffs) {
    if (!InSpot(puff, x, y)) continue;
    const float dx = x - puff.x, dy = y - puff.y;
    if (dx + dy < -puff.radius * 0.6f) return kSmokeLit;
    return dx + dy > puff.radius * 0.5f ? kSmokeShade : kSmoke;
  }
  return kClear;
}

VolcanoIcon::Colour VolcanoIcon::SeaColour(float x, float y) {
  const float row = y - kSeaTop;
  auto fraction = [](float v) { return v - std::floor(v); };
  if (row < 1.f) return fraction((x + 1.f) / 5.f) < 0.4f ? kFoam : kSeaLight;
  return fraction((x + row * 2.f) / 7.f) < 2.f / 7.f ? kSeaLight : kSeaDeep;
}

VolcanoIcon::Colour VolcanoIcon::ColourAt(float x, float y, float line) {
  if (y >= kSeaTop) return SeaColour(x, y);
  if (OnCone(x, y)) return ConeColour(x, y, line);
  // Sparks just above the crater, under the smoke.
  for (const Spot& spark : kSparks) {
    if (InSpot(spark, x, y)) return kEmber;
  }
  return SmokeColour(x, y);
}

IconPicture VolcanoIcon::Draw() {
  IconPicture icon;
  for (int k = 0; k < 16; ++k) icon.palette[k] = kPalette[k];
  for (int y = 0; y < kResourceSize; ++y) {
    for (int x = 0; x < kResourceSize; ++x) {
      icon.index[y * kResourceSize + x] = ColourAt(x + 0.5f, y + 0.5f, 1.f);
    }
  }
  return icon;
}

std::vector<uint32_t> VolcanoIcon::Paint(int size) {
  const float unitsPerPixel = static_cast<float>(kResourceSize) / static_cast<float>(size);
  const float line = kOutlinePixels * unitsPerPixel;
  std::vector<uint32_t> argb(static_cast<size_t>(size) * size);
  for (int y = 0; y < size; ++y) {
    for (int x = 0; x < size; ++x) {
      Coverage pixel;
      for (int sy = 0; sy < kSamples; ++sy) {
        for (int sx = 0; sx < kSamples; ++sx) {
          const float u = (x + (sx + 0.5f) / kSamples) * unitsPerPixel;
          const float v = (y + (sy + 0.5f) / kSamples) * unitsPerPixel;
          pixel.Add(kPalette[ColourAt(u, v, line)]);
        }
      }
      argb[static_cast<size_t>(y) * size + x] = pixel.Average(kSamples * kSamples);
    }
  }
  return argb;
}

}  // namespace assetgen
