#include "tools/assetgen/procedural/droplet_erosion.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

DropletErosion::DropletErosion(const ErosionSettings& settings, uint64_t seed)
    : settings_(settings), random_(seed) {
  BuildBrush();
}

void DropletErosion::BuildBrush() {
  int r = settings_.brushRadius;
  float total = 0;
  for (int dj = -r; dj <= r; ++dj) {
    for (int di = -r; di <= r; ++di) {
      float weight =
          static_cast<float>(r) + 0.5f - std::sqrt(static_cast<float>(di * di + dj * dj));
      if (weight <= 0) continue;
      brush_.push_back({di, dj, weight});
      total += weight;
    }
  }
  for (BrushTap& tap : brush_) tap.weight /= total;
}

void DropletErosion::Run(HeightField& heights) {
  flow_.emplace(heights.Size(), heights.Spacing());
  int edge = heights.Size() - 1;
  for (int n = 0; n < settings_.droplets;) {
    Droplet drop{static_cast<float>(random_.Uniform(1, edge - 1)),
                 static_cast<float>(random_.Uniform(1, edge - 1))};
    if (SurfaceAt(heights, drop.x, drop.y).height <= settings_.startAbove) continue;
    Simulate(heights, drop);
    ++n;
  }
  NormaliseFlow();
}

DropletErosion::Surface DropletErosion::SurfaceAt(const HeightField& heights, float x,
                                                  float y) const {
  int i = static_cast<int>(x);
  int j = static_cast<int>(y);
  float fx = x - i;
  float fy = y - j;
  float h00 = heights.At(i, j), h10 = heights.At(i + 1, j);
  float h01 = heights.At(i, j + 1), h11 = heights.At(i + 1, j + 1);
  return {h00 * (1 - fx) * (1 - fy) + h10 * fx * (1 - fy) + h01 * (1 - fx) * fy + h11 * fx * fy,
          (h10 - h00) * (1 - fy) + (h11 - h01) * fy, (h01 - h00) * (1 - fx) + (h11 - h10) * fx};
}

void DropletErosion::Simulate(HeightField& heights, Droplet drop) {
  const ErosionSettings& s = settings_;
  float limit = static_cast<float>(heights.Size() - 2);
  for (int step = 0; step < s.maxSteps; ++step) {
    Surface here = SurfaceAt(heights, drop.x, drop.y);
    drop.dx = drop.dx * s.inertia - here.gradientX * (1 - s.inertia);
    drop.dy = drop.dy * s.inertia - here.gradientY * (1 - s.inertia);
    float length = std::hypot(drop.dx, drop.dy);
    if (length < 1e-6f) break;  // a pit or a flat: the droplet soaks away
    drop.dx /= length;
    drop.dy /= length;
    float oldX = drop.x, oldY = drop.y;
    drop.x += drop.dx;
    drop.y += drop.dy;
    if (drop.x < 1 || drop.y < 1 || drop.x >= limit || drop.y >= limit) break;

    flow_->At(static_cast<int>(oldX + 0.5f), static_cast<int>(oldY + 0.5f)) += drop.water;
    float rise = SurfaceAt(heights, drop.x, drop.y).height - here.height;
    float slope = -rise / heights.Spacing();
    float capacity =
        std::max(slope, s.minSlope) * drop.speed * drop.water * s.capacity * heights.Spacing();
    if (rise > 0 || drop.sediment > capacity) {
      float amount =
          rise > 0 ? std::min(rise, drop.sediment) : (drop.sediment - capacity) * s.depositRate;
      drop.sediment -= amount;
      Deposit(heights, oldX, oldY, amount);
    } else {
      float amount = std::min((capacity - drop.sediment) * s.erodeRate, -rise);
      Erode(heights, oldX, oldY, amount);
      drop.sediment += amount;
    }
    drop.speed = std::sqrt(std::max(0.f, drop.speed * drop.speed + slope * s.gravity));
    drop.water *= 1 - s.evaporation;
  }
}

void DropletErosion::Deposit(HeightField& heights, float x, float y, float amount) const {
  int i = static_cast<int>(x);
  int j = static_cast<int>(y);
  float fx = x - i;
  float fy = y - j;
  heights.At(i, j) += amount * (1 - fx) * (1 - fy);
  heights.At(i + 1, j) += amount * fx * (1 - fy);
  heights.At(i, j + 1) += amount * (1 - fx) * fy;
  heights.At(i + 1, j + 1) += amount * fx * fy;
}

void DropletErosion::Erode(HeightField& heights, float x, float y, float amount) const {
  int ci = static_cast<int>(x + 0.5f);
  int cj = static_cast<int>(y + 0.5f);
  int edge = heights.Size() - 1;
  for (const BrushTap& tap : brush_) {
    int i = ci + tap.di;
    int j = cj + tap.dj;
    if (i < 0 || j < 0 || i > edge || j > edge) continue;
    heights.At(i, j) -= amount * tap.weight;
  }
}

void DropletErosion::NormaliseFlow() {
  float most = 0;
  int n = flow_->Size();
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) most = std::max(most, flow_->At(i, j));
  if (most <= 0) return;
  // A square root keeps the thin side gullies visible next to the main channels.
  for (int j = 0; j < n; ++j)
    for (int i = 0; i < n; ++i) flow_->At(i, j) = std::sqrt(flow_->At(i, j) / most);
}

}  // namespace assetgen
