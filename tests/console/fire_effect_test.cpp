#include "console/fire_effect.h"

#include <gtest/gtest.h>

#include "device_readback.h"
#include "platform/d3d8/record/recording_backend.h"
#include "recording_device_test.h"
#include "test_bitmap.h"

namespace {

// The bottom row of the field just computed, made the current one.
std::vector<uint8_t> SeedRow(FireField& field) {
  field.Swap();
  return {field.Current().end() - field.Size(), field.Current().end()};
}

// Seeds: runs of three at 16 columns from column five, clamped at 255, the edges kept cold; a
// run wider than the row ends with it. Then heat rises one row as its neighbours' mean.
TEST(FireFieldTest, SeedRunsStayInsideTheRowAndHeatRisesAsItsNeighboursMeanLessTheCooling) {
  FireField field;
  field.Resize(16);
  for (int x = 0; x < 16; ++x) field.At(x, 15) = 255;
  field.Seed(3, 0);
  EXPECT_EQ(SeedRow(field),
            std::vector<uint8_t>({0, 0, 0, 0, 0, 255, 255, 255, 255, 255, 255, 0, 0, 0, 0, 0}));
  field.Seed(100, 0);
  EXPECT_EQ(SeedRow(field)[15], 255);

  field.Resize(16);
  field.At(0, 5) = 200;
  field.Rise(2);
  field.Swap();
  // Each neighbour of the hot cell takes a quarter of it, one row higher; columns wrap round.
  EXPECT_EQ(field.At(0, 3), 48);   // from the cell above it
  EXPECT_EQ(field.At(0, 5), 48);   // from the cell below it
  EXPECT_EQ(field.At(15, 4), 48);  // from its left-hand neighbour, across the edge
  EXPECT_EQ(field.At(0, 4), 0);    // a cell is not in its own mean, and cooling stops at 0
}

// The colour of heat h through the test's palette, whose entry h is (h, 255 - h, h / 2); in 16
// bits cut to 5, 6 and 5 bits.
uint32_t ColourOfHeat(uint32_t h, bool sixteenBit) {
  if (!sixteenBit) return h << 16 | (255 - h) << 8 | h / 2;
  return (h * 31 / 255) << 11 | ((255 - h) * 63 / 255) << 5 | (h / 2 * 31 / 255);
}

class FireEffectTest : public RecordingDeviceTest {
 protected:
  FireEffectTest() {
    TestBitmap palette{4, 4, 8, 0, 54 + 1024, std::vector<uint8_t>(16), {}};
    for (uint32_t i = 0; i < 256; ++i) palette.palette.push_back(ColourOfHeat(i, false));
    WriteBitmap("pal.bmp", palette);
  }

  std::unique_ptr<FireEffect> fire_ = std::make_unique<FireEffect>();
};

TEST_F(FireEffectTest, EveryRowButTheSeedRowShowsItsHeatThroughThePalette) {
  for (bool sixteenBit : {false, true}) {
    ASSERT_TRUE(fire_->Init(16, "pal.bmp", 3, 10, 26, sixteenBit, device_));
    for (int step = 0; step < 20; ++step) ASSERT_TRUE(fire_->Update());
    const FireField& field = fire_->Field();
    const std::vector<uint32_t> texels = LevelTexels(fire_->Texture());
    ASSERT_EQ(texels.size(), 16u * 16);
    int hot = 0;
    for (int y = 0; y < 15; ++y) {
      for (int x = 0; x < 16; ++x) {
        const uint8_t heat = field.Current()[size_t(y) * 16 + x];
        ASSERT_EQ(texels[y * 16 + x], ColourOfHeat(heat, sixteenBit)) << x << "," << y;
        hot += heat > 0;
      }
    }
    EXPECT_GT(hot, 20);
    EXPECT_EQ(texels[15 * 16 + 7], 0u);  // the seed row keeps the new texture's black
  }
}

TEST_F(FireEffectTest, InitRefusesFilesWithoutAFullPaletteOfTheirOwnAndImpossibleShapes) {
  WriteBitmap("grey.bmp", GreyRamp24(4, 4, 1));
  // Sixteen colours, and 256 of which the last is the picture's first pixels.
  WriteBitmap("sixteen.bmp", {4, 4, 4, 0, 54 + 16 * 4, std::vector<uint8_t>(16), {}});
  WriteBitmap("lent.bmp", {32, 32, 8, 0, 54 + 255 * 4, std::vector<uint8_t>(32 * 32), {}});
  ::testing::internal::CaptureStderr();
  for (const char* file : {"grey.bmp", "sixteen.bmp", "lent.bmp", "missing.bmp"}) {
    EXPECT_FALSE(fire_->Init(16, file, 3, 10, 26, false, device_)) << file;
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "grey.bmp: a palette of 0 colours, not the 256 of a fire\n"
            "sixteen.bmp: a palette of 16 colours, not the 256 of a fire\n"
            "lent.bmp: a palette that runs into its pixels\n"
            "missing.bmp: cannot open it (No such file or directory)\n");
  EXPECT_FALSE(fire_->Init(16, "pal.bmp", 0, 10, 26, false, device_));
  EXPECT_FALSE(fire_->Init(0, "pal.bmp", 3, 10, 26, false, device_));
  EXPECT_FALSE(fire_->Update());  // no texture to fill
}

}  // namespace
