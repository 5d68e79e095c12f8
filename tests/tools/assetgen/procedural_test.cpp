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
    double x = a.uniform();
    EXPECT_EQ(x, b.uniform());
    differs |= x != c.uniform();
    EXPECT_TRUE(x >= 0 && x < 1);
    int n = a.below(7);
    b.below(7);
    c.below(7);
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
      EXPECT_NEAR(noise.at(x, y, 4), noise.at(x + 4, y, 4), 1e-5f);
      EXPECT_NEAR(noise.at(x, y, 4), noise.at(x, y + 8, 4), 1e-5f);
      EXPECT_NEAR(noise.fbm(x, y, 4, 4), noise.fbm(x + 4, y - 4, 4, 4), 1e-4f);
      EXPECT_NEAR(noise.ridged(x, y, 3, 4), noise.ridged(x + 8, y, 3, 4), 1e-4f);
    }
  }
}

TEST(AssetgenGradientNoise, StaysNearMinusOneToOneAndVaries) {
  GradientNoise noise(11);
  float low = 0, high = 0;
  for (int k = 0; k < 20000; ++k) {
    float v = noise.fbm(k * 0.0731f, k * 0.0317f, 5);
    low = std::min(low, v);
    high = std::max(high, v);
    float r = noise.ridged(k * 0.0731f, k * 0.0317f, 4);
    ASSERT_TRUE(r >= 0 && r <= 1);
  }
  EXPECT_GT(low, -1.2f);
  EXPECT_LT(high, 1.2f);
  EXPECT_LT(low, -0.4f);
  EXPECT_GT(high, 0.4f);
  EXPECT_NE(GradientNoise(1).at(0.5f, 0.5f), GradientNoise(2).at(0.5f, 0.5f));
}

TEST(AssetgenHeightField, SamplesBetweenPointsAndMeasuresSlopeInWorldUnits) {
  HeightField field(5, 0.5f);  // 2 world units across
  for (int j = 0; j < 5; ++j)
    for (int i = 0; i < 5; ++i) field.at(i, j) = 3.f * i * 0.5f - 1.f * j * 0.5f;
  EXPECT_FLOAT_EQ(field.sample(0.25f, 0.5f), field.at(1, 2));
  EXPECT_FLOAT_EQ(field.sample(0.375f, 0.5f), (field.at(1, 2) + field.at(2, 2)) / 2);
  EXPECT_FLOAT_EQ(field.sample(-1.f, 2.f), field.at(0, 4));  // clamped to the edges
  HeightField::Slope slope = field.slope(0.5f, 0.5f);
  EXPECT_NEAR(slope.alongU, 3.f, 1e-4f);
  EXPECT_NEAR(slope.alongV, -1.f, 1e-4f);
}

TEST(AssetgenDropletErosion, CutsGulliesIntoAConeWithoutRaisingItOrAddingMaterial) {
  constexpr int kSize = 96;
  HeightField cone(kSize, 0.05f);
  double before = 0;
  for (int j = 0; j < kSize; ++j) {
    for (int i = 0; i < kSize; ++i) {
      float d = std::hypot(i - kSize / 2.f, j - kSize / 2.f) * cone.spacing();
      cone.at(i, j) = std::max(0.f, 4.f - 2.f * d);
      before += cone.at(i, j);
    }
  }
  float summit = cone.at(kSize / 2, kSize / 2);
  ErosionSettings settings;
  settings.droplets = 3000;
  settings.startAbove = 0.5f;
  DropletErosion erosion(settings, 5);
  erosion.run(cone);

  double after = 0, roughness = 0;
  float highest = 0, wettest = 0;
  for (int j = 0; j < kSize; ++j) {
    for (int i = 0; i < kSize; ++i) {
      after += cone.at(i, j);
      highest = std::max(highest, cone.at(i, j));
      wettest = std::max(wettest, erosion.flow().at(i, j));
    }
  }
  // On a ring round the summit a smooth cone is level; gullies make it uneven.
  for (int k = 0; k < 64; ++k) {
    float a = k * 0.0982f;
    int i = kSize / 2 + static_cast<int>(20 * std::cos(a)),
        j = kSize / 2 + static_cast<int>(20 * std::sin(a));
    float smooth = 4.f - 2.f * std::hypot(i - kSize / 2.f, j - kSize / 2.f) * cone.spacing();
    roughness += std::fabs(cone.at(i, j) - smooth);
  }
  EXPECT_LE(after, before);
  EXPECT_LE(highest, summit + 1e-4f);
  EXPECT_GT(roughness / 64, 0.005);
  EXPECT_FLOAT_EQ(wettest, 1.f);
}

TEST(AssetgenHeightMapEncoder, RowsRunAlongXColumnsAlongMinusZAndSumsMatchHeights) {
  HeightField field(65, 5.f / 64);
  for (int j = 31; j <= 33; ++j)
    for (int i = 15; i <= 17; ++i) field.at(i, j) = 6.f;  // round u = 0.25, v = 0.5
  Image map = HeightMapEncoder::encode(field);
  ASSERT_EQ(map.width(), 256);
  ASSERT_EQ(map.height(), 256);
  auto height = [&](int column, int rowFromBottom) {
    const Rgb& p = map.at(column, 255 - rowFromBottom);
    return (toByte(p.r) + toByte(p.g) + toByte(p.b)) * 0.0013037809f * 15.f;
  };
  // Row r = 0.25 * 255 from the bottom, column c = 0.5 * 255; not the other way round.
  EXPECT_NEAR(height(128, 64), 6.f, 0.02f);
  EXPECT_FLOAT_EQ(height(64, 128), 0.f);
  EXPECT_EQ(HeightMapEncoder::sampleSum(0.f), 0);
  EXPECT_EQ(HeightMapEncoder::sampleSum(100.f), 765);
  for (float h : {0.45f, 1.f, 6.8f}) {
    EXPECT_NEAR(HeightMapEncoder::sampleSum(h) * 0.0013037809f * 15.f, h, 0.0098f);
  }
}
}  // namespace

}  // namespace assetgen::tests
