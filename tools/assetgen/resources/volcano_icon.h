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

  static IconPicture Draw();

 private:
  static Colour PixelColour(int x, int y);
  static bool OnCone(int x, int y);
  static Colour ConeColour(int x, int y);
  static Colour SmokeColour(int x, int y);
  static Colour SeaColour(int x, int y);
};

}  // namespace assetgen
