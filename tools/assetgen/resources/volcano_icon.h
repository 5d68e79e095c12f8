#pragma once
#include <cstdint>
#include <vector>

#include "tools/assetgen/resources/resource_pictures.h"

namespace assetgen {

// The program's icon: a smoking cone with glowing lava over a strip of sea, in 16 colours,
// see-through round it. One drawing in the coordinates of the 32 x 32 window icon serves every
// size.
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

  // The window icon: one sample a pixel, in the 16 colours.
  static IconPicture Draw();
  // The icon at size x size pixels for the desktop's menus: ARGB, rows top to bottom, its
  // edges smoothed and its outline as wide at every size.
  static std::vector<uint32_t> Paint(int size);

 private:
  // The colour at a point of the 32 x 32 drawing, with outlines line units wide.
  static Colour ColourAt(float x, float y, float line);
  static bool OnCone(float x, float y);
  static Colour ConeColour(float x, float y, float line);
  static Colour SmokeColour(float x, float y);
  static Colour SeaColour(float x, float y);
};

}  // namespace assetgen
