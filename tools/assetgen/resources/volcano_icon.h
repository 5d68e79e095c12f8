#pragma once
#include "tools/assetgen/resources/resource_pictures.h"

namespace assetgen {

// The window icon: a smoking cone with glowing lava over a strip of sea, 16 colours,
// see-through round it.
class VolcanoIcon {
 public:
  enum Colour : uint8_t {
    kClear,
    kOutline,
    kSeaDeep,
    kSeaLight,
    kFoam,
    kRockShade,
    kRock,
    kRockLit,
    kGrass,
    kLavaRed,
    kLavaOrange,
    kLavaYellow,
    kSmokeShade,
    kSmoke,
    kSmokeLit,
    kEmber
  };

  static IconPicture draw();

 private:
  static Colour pixelColour(int x, int y);
  static bool onCone(int x, int y);
  static Colour coneColour(int x, int y);
  static Colour smokeColour(int x, int y);
  static Colour seaColour(int x, int y);
};

}  // namespace assetgen
