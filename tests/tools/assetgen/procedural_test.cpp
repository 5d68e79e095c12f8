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
  std::set<int> seen;
  bool differs = false;
  for (int k = 0; k < 1000; ++k) {
    const double x = a.Uniform();
    ASSERT_EQ(x, b.Uniform());
    ASSERT_TRUE(x >= 0 && x < 1);
    differs |= x != c.Uniform();
    seen.insert(a.Below(7));
    b.Below(7);
  }
  EXPECT_TRUE(differs);
  EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
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
  constexpr int kSize = 96, kCentre = kSize / 2;
  HeightField cone(kSize, 0.05f);  // slope 2, summit 4
  auto smooth = [](int i, int j) {
    return std::max(0.f, 4.f - 0.1f * std::hypot(float(i - kCentre), float(j - kCentre)));
  };
  double before = 0, after = 0;
  for (int j = 0; j < kSize; ++j)
    for (int i = 0; i < kSize; ++i) before += cone.At(i, j) = smooth(i, j);
  ErosionSettings settings;
  settings.droplets = 3000;
  settings.startAbove = 0.5f;
  DropletErosion erosion(settings, 5);
  erosion.Run(cone);

  float highest = 0, wettest = 0;
  for (int j = 0; j < kSize; ++j) {
    for (int i = 0; i < kSize; ++i) {
      after += cone.At(i, j);
      highest = std::max(highest, cone.At(i, j));
      wettest = std::max(wettest, erosion.Flow().At(i, j));
    }
  }
  // On a ring round the summit a smooth cone is level; gullies make it uneven.
  double roughness = 0;
  for (int k = 0; k < 64; ++k) {
    int i = kCentre + static_cast<int>(20 * std::cos(k * 0.0982f));
    int j = kCentre + static_cast<int>(20 * std::sin(k * 0.0982f));
    roughness += std::fabs(cone.At(i, j) - smooth(i, j));
  }
  EXPECT_LE(after, before);
  EXPECT_LE(highest, smooth(kCentre, kCentre) + 1e-4f);
  EXPECT_GT(roughness / 64, 0.005);
  EXPECT_FLOAT_EQ(wettest, 1.f);
}

// The terrain reads a pixel as (b + g + r) x 0.0013037809 x 15: a height unit is 51.1 of a sum.
TEST(AssetgenHeightMapEncoder, ChannelsSumToTheNearestSampleOfAHeight) {
  EXPECT_EQ(HeightMapEncoder::SampleSum(0.f), 0);
  EXPECT_EQ(HeightMapEncoder::SampleSum(1.f), 51);
  EXPECT_EQ(HeightMapEncoder::SampleSum(6.8f), 348);
  EXPECT_EQ(HeightMapEncoder::SampleSum(100.f), 765);  // the most a pixel holds
  HeightField flat(2, 1.f);
  for (int k = 0; k < 4; ++k) flat.At(k % 2, k / 2) = 6.8f;
  const Rgb pixel = HeightMapEncoder::Encode(flat).At(100, 200);
  EXPECT_EQ(ToByte(pixel.r) + ToByte(pixel.g) + ToByte(pixel.b), 348);
}
}  // namespace

}  // namespace assetgen::tests
