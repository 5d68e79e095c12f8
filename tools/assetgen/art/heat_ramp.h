#pragma once
#include "tools/assetgen/formats/rgb.h"

namespace assetgen {

// The colours of glowing matter from cold to white hot: black, dark red, red, orange,
// yellow, near white. Shared by the fire palette, the lava and the eruption's sprites.
class HeatRamp {
 public:
  static Rgb Colour(float heat);  // heat 0..1, clamped
};

}  // namespace assetgen
