// Seeded randomness, noise, the height field with its erosion, and the height map encoding.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "tools/assetgen/art/height_map_encoder.h"
#include "tools/assetgen/procedural/droplet_erosion.h"
#include "tools/assetgen/procedural/gradient_noise.h"
#include "tools/assetgen/procedural/height_field.h"
#include "tools/assetgen/procedural/random_stream.h"

namespace assetgen::tests {

namespace {
TEST(AssetgenRandomStream, RepeatsForASeedAndStaysInRange) {
  RandomStream a(42), b(42), c(43);
  bool differs = false;
  std::set<int> seen;
  for (int k = 0; k < 1000; ++k) {
    double x = a.Uniform();
    EXPECT_EQ(x, b.Uniform());
    differs |= x != c.Uniform();
    EXPECT_TRUE(x >= 0 && x < 1);
    int n = a.Below(7);
    b.Below(7);
    c.Below(7);
    ASSERT_TRUE(n >= 0 && n < 7);
    seen.insert(n);
  }
  EXPECT_TRUE(differs);
  EXPECT_EQ(seen.size(), 7u);
}

TEST(AssetgenGradientNoise, WrapsWithItsPeriodAtEveryOctave) {
  GradientNoise noise(7);
  for (float x = 0.1f; x < 8; x += 0.37f) {
    for (float y = 0.2f; y < 8; y += 0.41f) {
      EXPECT_NEAR(noise.At(x, y, 4), noise.At(x + 4, y, 4), 1e-5f);
      EXPECT_NEAR(noise.At(x, y, 4), noise.At(x, y + 8, 4), 1e-5f);
      EXPECT_NEAR(noise.Fbm(x, y, 4, 4), noise.Fbm(x + 4, y - 4, 4, 4), 1e-4f);
      EXPECT_NEAR(noise.Ridged(x, y, 3, 4), noise.Ridged(x + 8, y, 3, 4), 1e-4f);
    }
  }
}

TEST(AssetgenGradientNoise, StaysNearMinusOneToOneAndVaries) {
  GradientNoise noise(11);
  float low = 0, high = 0;
  for (int k = 0; k < 20000; ++k) {
    float v = noise.Fbm(k * 0.0731f, k * 0.0317f, 5);
    low = std::min(low, v);
    high = std::max(high, v);
    float r = noise.Ridged(k * 0.0731f, k * 0.0317f, 4);
    ASSERT_TRUE(r >= 0 && r <= 1);
  }
  EXPECT_GT(low, -1.2f);
  EXPECT_LT(high, 1.2f);
  EXPECT_LT(low, -0.4f);
  EXPECT_GT(high, 0.4f);
  EXPECT_NE(GradientNoise(1).At(0.5f, 0.5f), GradientNoise(2).At(0.5f, 0.5f));
}

TEST(AssetgenHeightField, SamplesBetweenPointsAndMeasuresSlopeInWorldUnits) {
  HeightField field(5, 0.5f);  // 2 world units across
  for (int j = 0; j < 5; ++j)
    for (int i = 0; i < 5; ++i) field.At(i, j) = 3.f * i * 0.5f - 1.f * j * 0.5f;
  EXPECT_FLOAT_EQ(field.Sample(0.25f, 0.5f), field.At(1, 2));
  EXPECT_FLOAT_EQ(field.Sample(0.375f, 0.5f), (field.At(1, 2) + field.At(2, 2)) / 2);
  EXPECT_FLOAT_EQ(field.Sample(-1.f, 2.f), field.At(0, 4));  // clamped to the edges
  HeightField::Slope slope = field.SlopeAt(0.5f, 0.5f);
  EXPECT_NEAR(slope.alongU, 3.f, 1e-4f);
  EXPECT_NEAR(slope.alongV, -1.f, 1e-4f);
}

TEST(AssetgenDropletErosion, CutsGulliesIntoAConeWithoutRaisingItOrAddingMaterial) {
  constexpr int kSize = 96;
  HeightField cone(kSize, 0.05f);
  double before = 0;
  for (int j = 0; j < kSize; ++j) {
    for (int i = 0; i < kSize; ++i) {
      float d = std::hypot(i - kSize / 2.f, j - kSize / 2.f) * cone.Spacing();
      cone.At(i, j) = std::max(0.f, 4.f - 2.f * d);
      before += cone.At(i, j);
    }
  }
  float summit = cone.At(kSize / 2, kSize / 2);
  ErosionSettings settings;
  settings.droplets = 3000;
  settings.startAbove = 0.5f;
  DropletErosion erosion(settings, 5);
  erosion.Run(cone);

  double after = 0, roughness = 0;
  float highest = 0, wettest = 0;
  for (int j = 0; j < kSize; ++j) {
    for (int i = 0; i < kSize; ++i) {
      after += cone.At(i, j);
      highest = std::max(highest, cone.At(i, j));
      wettest = std::max(wettest, erosion.Flow().At(i, j));
    }
  }
  // On a ring round the summit a smooth cone is level; gullies make it uneven.
  for (int k = 0; k < 64; ++k) {
    float a = k * 0.0982f;
    int i = kSize / 2 + static_cast<int>(20 * std::cos(a)),
        j = kSize / 2 + static_cast<int>(20 * std::sin(a));
    float smooth = 4.f - 2.f * std::hypot(i - kSize / 2.f, j - kSize / 2.f) * cone.Spacing();
    roughness += std::fabs(cone.At(i, j) - smooth);
  }
  EXPECT_LE(after, before);
  EXPECT_LE(highest, summit + 1e-4f);
  EXPECT_GT(roughness / 64, 0.005);
  EXPECT_FLOAT_EQ(wettest, 1.f);
}

TEST(AssetgenHeightMapEncoder, RowsRunAlongXColumnsAlongMinusZAndSumsMatchHeights) {
  HeightField field(65, 5.f / 64);
  for (int j = 31; j <= 33; ++j)
    for (int i = 15; i <= 17; ++i) field.At(i, j) = 6.f;  // round u = 0.25, v = 0.5
  Image map = HeightMapEncoder::Encode(field);
  ASSERT_EQ(map.Width(), 256);
  ASSERT_EQ(map.Height(), 256);
  auto height = [&](int column, int rowFromBottom) {
    const Rgb& p = map.At(column, 255 - rowFromBottom);
    return (ToByte(p.r) + ToByte(p.g) + ToByte(p.b)) * 0.0013037809f * 15.f;
  };
  // Row r = 0.25 * 255 from the bottom, column c = 0.5 * 255; not the other way round.
  EXPECT_NEAR(height(128, 64), 6.f, 0.02f);
  EXPECT_FLOAT_EQ(height(64, 128), 0.f);
  EXPECT_EQ(HeightMapEncoder::SampleSum(0.f), 0);
  EXPECT_EQ(HeightMapEncoder::SampleSum(100.f), 765);
  for (float h : {0.45f, 1.f, 6.8f}) {
    EXPECT_NEAR(HeightMapEncoder::SampleSum(h) * 0.0013037809f * 15.f, h, 0.0098f);
  }
}
}  // namespace

}  // namespace assetgen::tests
