#include "tools/assetgen/art/lava_stream_painter.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "tools/assetgen/art/heat_ramp.h"
#include "tools/assetgen/art/island_shape.h"
#include "tools/assetgen/art/terrain_frame.h"
#include "tools/assetgen/procedural/shaping.h"

namespace assetgen {

namespace {
constexpr float kPi = std::numbers::pi_v<float>;
constexpr int kFlows = 160;
constexpr float kBreachAngle = -kPi / 2;  // most lava spills over the low notch of the rim
constexpr float kInertia = 0.6f;
constexpr float kStepCells = 0.5f;

const Rgb kGlow{0.45f, 0.08f, 0.01f};
}  // namespace

LavaStreamPainter::LavaStreamPainter(const HeightField& heights, uint64_t seed)
    : heights_(heights), heat_(heights.Size(), heights.Spacing()), random_(seed), noise_(seed) {
  PourFlows();
  FillCrater();
  Soften();
}

void LavaStreamPainter::PourFlows() {
  // Lava leaves the crater through a few notches in the rim, most through the low breach;
  // each notch feeds a bundle of flows that gather in the gullies below it.
  struct Notch {
    float angle, share, reach;
  };
  const Notch notches[] = {{kBreachAngle, 0.45f, 1.0f},
                           {kBreachAngle + 0.9f, 0.2f, 0.7f},
                           {kBreachAngle - 2.1f, 0.2f, 0.5f},
                           {kBreachAngle + 2.6f, 0.15f, 0.35f}};
  for (const Notch& notch : notches) {
    int flows = static_cast<int>(kFlows * notch.share);
    for (int n = 0; n < flows; ++n) {
      float angle = notch.angle + static_cast<float>(random_.Uniform(-0.3, 0.3));
      float cooling = 0.0012f / notch.reach * static_cast<float>(random_.Uniform(0.7, 1.6));
      PourFlow(angle, static_cast<float>(random_.Uniform(0.6, 1.0)), cooling);
    }
  }
}

void LavaStreamPainter::PourFlow(float angle, float strength, float cooling) {
  // Grid positions: u runs with +x, v with -z.
  float last = static_cast<float>(heights_.Size() - 1);
  float start = IslandShape::kRimRadius + 0.03f;
  float x = TerrainFrame::kCraterX + start * std::cos(angle);
  float z = TerrainFrame::kCraterZ + start * std::sin(angle);
  float i = (x - TerrainFrame::kMinX) / TerrainFrame::kExtent * last;
  float j = (TerrainFrame::kMaxZ - z) / TerrainFrame::kExtent * last;
  float di = std::cos(angle), dj = -std::sin(angle);
  while (strength > 0.05f) {
    HeightField::Slope slope = heights_.SlopeAt(i / last, j / last);
    float fall = std::hypot(slope.alongU, slope.alongV) + 1e-6f;
    float wobble = static_cast<float>(random_.Uniform(-0.25, 0.25));
    di = di * kInertia - slope.alongU / fall * (1 - kInertia) + wobble * dj;
    dj = dj * kInertia - slope.alongV / fall * (1 - kInertia) - wobble * di;
    float length = std::hypot(di, dj);
    di /= length;
    dj /= length;
    i += di * kStepCells;
    j += dj * kStepCells;
    if (i < 1 || j < 1 || i > last - 1 || j > last - 1) return;
    if (heights_.Sample(i / last, j / last) < TerrainFrame::kSeaLevel) return;  // quenched
    heat_.At(static_cast<int>(i + 0.5f), static_cast<int>(j + 0.5f)) += strength;
    strength -= cooling;
  }
}

void LavaStreamPainter::FillCrater() {
  int n = heat_.Size();
  for (int j = 0; j < n; ++j) {
    for (int i = 0; i < n; ++i) {
      float x = TerrainFrame::WorldX(static_cast<float>(i) / (n - 1));
      float z = TerrainFrame::WorldZ(static_cast<float>(j) / (n - 1));
      float d = std::hypot(x - TerrainFrame::kCraterX, z - TerrainFrame::kCraterZ);
      heat_.At(i, j) +=
          2.f * Smoothstep(IslandShape::kRimRadius * 0.9f, IslandShape::kRimRadius * 0.5f, d);
    }
  }
}

void LavaStreamPainter::Soften() {
  // A small blur gives the flows their width; the same pass runs along both axes.
  constexpr int kRadius = 4;
  constexpr float kWeights[kRadius + 1] = {0.2f, 0.175f, 0.12f, 0.065f, 0.03f};
  int n = heat_.Size();
  for (int axis = 0; axis < 2; ++axis) {
    HeightField blurred(n, heat_.Spacing());
    for (int j = 0; j < n; ++j) {
      for (int i = 0; i < n; ++i) {
        float sum = 0;
        for (int k = -kRadius; k <= kRadius; ++k) {
          sum += kWeights[std::abs(k)] *
                 (axis == 0 ? heat_.ClampedAt(i + k, j) : heat_.ClampedAt(i, j + k));
        }
        blurred.At(i, j) = sum;
      }
    }
    heat_ = blurred;
  }
}

float LavaStreamPainter::HeatAt(float u, float v) const {
  if (u < 0 || v < 0 || u > 1 || v > 1) return 0;
  return 1 - std::exp(-1.5f * heat_.Sample(u, v));
}

Image LavaStreamPainter::Paint(int size) const {
  Image image(size, size);
  for (int j = 0; j < size; ++j) {
    for (int i = 0; i < size; ++i) {
      // Where this texel lands on the island once the stream is fully grown.
      float u = 0.5f + ((i + 0.5f) / size - 0.5f) * kFinalScale;
      float v = 0.5f + ((j + 0.5f) / size - 0.5f) * kFinalScale;
      float x = TerrainFrame::WorldX(u), z = TerrainFrame::WorldZ(v);
      float crust = 0.75f + 0.25f * noise_.Fbm(x * 12.f, z * 12.f, 3);
      float d = std::hypot(x - TerrainFrame::kCraterX, z - TerrainFrame::kCraterZ);
      Rgb glow = kGlow * std::exp(-d * d / 0.5f);
      image.At(i, j) = (HeatRamp::Colour(HeatAt(u, v) * crust) + glow).Clamped();
    }
  }
  return image;
}

}  // namespace assetgen
