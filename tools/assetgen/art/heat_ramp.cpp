#include "tools/assetgen/art/heat_ramp.h"

#include <algorithm>
#include <iterator>

namespace assetgen {

namespace {
struct Stop {
  float heat;
  Rgb colour;
};
constexpr Stop kStops[] = {
    {0.00f, {0.00f, 0.00f, 0.00f}}, {0.20f, {0.30f, 0.02f, 0.00f}}, {0.40f, {0.75f, 0.10f, 0.01f}},
    {0.60f, {1.00f, 0.38f, 0.02f}}, {0.80f, {1.00f, 0.72f, 0.15f}}, {0.93f, {1.00f, 0.90f, 0.50f}},
    {1.00f, {1.00f, 1.00f, 0.88f}},
};
}  // namespace

Rgb HeatRamp::Colour(float heat) {
  heat = std::clamp(heat, 0.f, 1.f);
  const Stop* upper = std::find_if(std::begin(kStops) + 1, std::end(kStops) - 1,
                                   [heat](const Stop& s) { return heat <= s.heat; });
  const Stop* lower = upper - 1;
  return Mix(lower->colour, upper->colour, (heat - lower->heat) / (upper->heat - lower->heat));
}

}  // namespace assetgen
