// Every picture as the program decodes it: the water, the sprites, the font and the fire palette.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>

#include "image_files.h"
#include "tests/tools/assetgen/generated_folder.h"
#include "tools/assetgen/data_folder_writer.h"

namespace assetgen::tests {

namespace {
const Pixel kBlack{0, 0, 0};

bool IsPowerOfTwo(int n) {
  return n > 0 && (n & (n - 1)) == 0;
}

int Step(Pixel a, Pixel b) {
  return std::abs(a[0] - b[0]) + std::abs(a[1] - b[1]) + std::abs(a[2] - b[2]);
}

int Brightness(Pixel p) {
  return p[0] + p[1] + p[2];
}

// The change from one column (or row) to another, summed along it.
long LineStep(const Picture& bmp, bool columns, int from, int to) {
  long sum = 0;
  for (int k = 0; k < (columns ? bmp.Height() : bmp.Width()); ++k) {
    sum += columns ? Step(bmp.ColourAt(from, k), bmp.ColourAt(to, k))
                   : Step(bmp.ColourAt(k, from), bmp.ColourAt(k, to));
  }
  return sum;
}

// Repeated, the last column (or row) runs into the first no harder than neighbours inside do:
// a seam would stand out.
bool JoinsWhereItRepeats(const Picture& bmp, bool columns) {
  const int lines = columns ? bmp.Width() : bmp.Height();
  long largest = 0;
  for (int k = 0; k + 1 < lines; ++k) largest = std::max(largest, LineStep(bmp, columns, k, k + 1));
  return LineStep(bmp, columns, lines - 1, 0) <= largest;
}

// Every picture decodes in the program; textures are true colour with power-of-two sides.
TEST(AssetgenPictures, EveryPictureDecodesAndTexturesAreTrueColourWithPowerOfTwoSides) {
  for (std::string_view name : kDataFiles) {
    if (!name.ends_with(".bmp")) continue;
    Picture bmp{std::string(name)};
    if (!name.starts_with("textures/")) continue;
    EXPECT_FALSE(bmp.Paletted()) << name;
    EXPECT_TRUE(IsPowerOfTwo(bmp.Width()) && IsPowerOfTwo(bmp.Height())) << name;
  }
}

TEST(AssetgenPictures, OceanTilesWithoutASeam) {
  Picture ocean("textures/ocean.bmp");
  EXPECT_TRUE(JoinsWhereItRepeats(ocean, true));
  EXPECT_TRUE(JoinsWhereItRepeats(ocean, false));
}

TEST(AssetgenPictures, SpritesGlowInTheMiddleAndFadeToBlackAtTheEdgesWithoutAnOutline) {
  for (const char* name : {"textures/smoke.bmp", "textures/lava.bmp", "textures/erupdebris.bmp"}) {
    Picture sprite(name);
    int size = sprite.Width();
    ASSERT_EQ(sprite.Height(), size) << name;
    for (int k = 0; k < size; ++k) {
      for (Pixel p : {sprite.ColourAt(k, 0), sprite.ColourAt(k, size - 1), sprite.ColourAt(0, k),
                      sprite.ColourAt(size - 1, k)})
        ASSERT_EQ(p, kBlack) << name << " edge at " << k;
    }
    EXPECT_GT(Brightness(sprite.ColourAt(size / 2, size / 2)), 100) << name;
  }
  // Debris and spray are added onto blue, where orange turns pink and an outline shows: a core
  // hot in all three channels, no step between neighbours (an outline's is 150).
  for (const char* name : {"textures/lava.bmp", "textures/erupdebris.bmp"}) {
    Picture sprite(name);
    const int middle = sprite.Width() / 2;
    EXPECT_GT(int(std::ranges::min(sprite.ColourAt(middle, middle))), 200) << name;
    int step = 0;
    for (int y = 1; y < sprite.Height(); ++y) {
      for (int x = 1; x < sprite.Width(); ++x) {
        Pixel p = sprite.ColourAt(x, y);
        step = std::max(
            {step, Step(p, sprite.ColourAt(x - 1, y)), Step(p, sprite.ColourAt(x, y - 1))});
      }
    }
    EXPECT_LT(step, 80) << name;
  }
}

TEST(AssetgenPictures, ShockBandIsBrightInTheMiddleBlackAtBothEdgesAndJoinsAcrossSegments) {
  Picture band("textures/shockwave.bmp");
  int w = band.Width(), h = band.Height();
  for (int x = 0; x < w; ++x) {
    EXPECT_EQ(band.ColourAt(x, 0), kBlack);      // outer edge
    EXPECT_EQ(band.ColourAt(x, h - 1), kBlack);  // inner edge
    EXPECT_GT(Brightness(band.ColourAt(x, h / 2)), 250);
  }
  EXPECT_TRUE(JoinsWhereItRepeats(band, true));
}

TEST(AssetgenFont, DescriptionGivesCountAndCellSizeThenTheCharactersFromTheBlank) {
  std::string expected = "95 8 8";
  for (char c = ' '; c <= '~'; ++c) expected += c;
  EXPECT_EQ(ReadFileBytes(GeneratedFile("font/FONT_8.fon")), expected);
}

// A row of 95 cells of 8 x 8 on a black background.
TEST(AssetgenFont, EveryVisibleGlyphHasInkAndDiffersFromAllOthers) {
  Picture strip("font/FONT_8.bmp");
  ASSERT_TRUE(strip.Paletted());
  ASSERT_EQ(strip.Width(), 95 * 8);
  ASSERT_EQ(strip.Height(), 8);
  EXPECT_EQ(strip.PaletteEntry(0), kBlack);
  std::set<uint64_t> shapes;
  for (int glyph = 0; glyph < 95; ++glyph) {
    uint64_t shape = 0;  // a bit of ink per pixel
    for (int k = 0; k < 64; ++k)
      shape = shape << 1 | (strip.ColourAt(glyph * 8 + k % 8, k / 8) != kBlack);
    const char c = static_cast<char>(32 + glyph);
    EXPECT_EQ(shape == 0, c == ' ') << "ink of '" << c << "'";
    EXPECT_TRUE(shapes.insert(shape).second) << "duplicate glyph '" << c << "'";
  }
}

TEST(AssetgenFirePalette, RampRisesInEveryChannelFromBlackToNearWhite) {
  Picture palette("misc/firepal.bmp");
  ASSERT_TRUE(palette.Paletted());
  EXPECT_EQ(palette.PaletteEntry(0), kBlack);
  Pixel top = palette.PaletteEntry(255);
  EXPECT_GT(std::min({top[0], top[1], top[2]}), 200);
  for (int k = 1; k < 256; ++k) {
    Pixel before = palette.PaletteEntry(k - 1), now = palette.PaletteEntry(k);
    for (int c = 0; c < 3; ++c) EXPECT_GE(now[c], before[c]) << "entry " << k;
  }
}
}  // namespace

}  // namespace assetgen::tests
