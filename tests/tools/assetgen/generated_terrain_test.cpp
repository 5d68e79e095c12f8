// The island: height map, colour texture and lava stream, and how they line up.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <tuple>

#include "tests/tools/assetgen/generated_folder.h"
#include "world/height_map.h"

namespace assetgen::tests {

namespace {
constexpr int kMapSize = 256;
constexpr float kSeaLevel = 1.f;

// The height map as the terrain loads it: sample (row r from the bottom, column c) lies at
// x = -2 + 5r/255, z = 3 - 5c/255.
class Island {
 public:
  Island() { map_.Load(GeneratedFile("textures/volcanoh24.bmp").c_str(), 15.f); }

  const HeightMap& Map() const { return map_; }
  float Sample(int row, int column) const {
    return map_.Samples().at(static_cast<size_t>(row) * kMapSize + static_cast<size_t>(column));
  }
  // Nearest sample to a world position.
  float At(float x, float z) const {
    int row = std::clamp(static_cast<int>(std::lround((x + 2) / 5 * 255)), 0, 255);
    int column = std::clamp(static_cast<int>(std::lround((3 - z) / 5 * 255)), 0, 255);
    return Sample(row, column);
  }

 private:
  HeightMap map_;
};

// The highest ground along a ray from the crater's centre (0.5, 0.5) at angle, out to 1 unit.
float RimPeak(const Island& map, float angle) {
  float peak = 0;
  for (float r = 0; r < 1.0f; r += 0.01f)
    peak = std::max(peak, map.At(0.5f + r * std::cos(angle), 0.5f + r * std::sin(angle)));
  return peak;
}

float Distance(Pixel a, Pixel b) {
  return std::hypot(float(a[0] - b[0]), float(a[1] - b[1]), float(a[2] - b[2]));
}

// Around the crater the ground rises to the rim and falls again in every direction. The intro
// looks at the cone from -z: the rim's low notch must face that way, or a change to the
// generator would silently turn the scene.
TEST(AssetgenHeightMap, CraterSitsAtWorldCentreInsideARimNearSevenNotchedTowardsMinusZ) {
  Island map;
  ASSERT_EQ(map.Map().Width(), kMapSize);  // the largest square map the terrain draws
  ASSERT_EQ(map.Map().Height(), kMapSize);
  float rim = 0, notch = 100, notchAngle = 0;
  for (int k = 0; k < 64; ++k) {
    const float angle = k * 2 * 3.14159265f / 64, peak = RimPeak(map, angle);
    EXPECT_GT(peak, 6.0f) << "rim too low at " << angle << " rad";
    rim = std::max(rim, peak);
    if (peak < notch) std::tie(notch, notchAngle) = std::tuple(peak, angle);
  }
  EXPECT_GE(rim, 6.5f);
  EXPECT_LE(rim, 7.2f);
  EXPECT_NEAR(std::sin(notchAngle), -1.0f, 0.15f) << "notch at " << notchAngle << " rad";
  float floor = map.At(0.5f, 0.5f);
  EXPECT_LT(floor, rim - 0.3f);  // the smoke rises from 6.5 out of a hollow
  EXPECT_GT(floor, 5.0f);
}

TEST(AssetgenHeightMap, SeaPlaneCornersAndMapEdgesLieBelowSeaLevel) {
  Island map;
  for (int column = 0; column < 4; ++column) {  // the first four pixels of the file
    EXPECT_LT(map.Sample(0, column), kSeaLevel - 0.2f) << column;
  }
  float highestEdge = 0;
  for (int k = 0; k < kMapSize; ++k) {
    for (float h : {map.Sample(0, k), map.Sample(255, k), map.Sample(k, 0), map.Sample(k, 255)})
      highestEdge = std::max(highestEdge, h);
  }
  EXPECT_LT(highestEdge, kSeaLevel);
}

TEST(AssetgenTerrainTexture, IsSquareAndAlignedWithTheHeightMap) {
  Island map;
  Picture texture("textures/volcanotex.bmp");
  ASSERT_EQ(texture.Height(), texture.Width());
  int size = texture.Width();
  // Texel (i, j from the top) lies at x = -2 + 5i/(M-1), z = 3 - 5j/(M-1): deep water there
  // shows the open sea's colour, land shows something else.
  auto openSea = texture.ColourAt(0, 0);
  int land = 0, water = 0;
  for (int j = 0; j < size; j += size / 64) {
    for (int i = 0; i < size; i += size / 64) {
      float h = map.At(-2 + 5.f * i / (size - 1), 3 - 5.f * j / (size - 1));
      float difference = Distance(texture.ColourAt(i, j), openSea);
      if (h < 0.45f) {
        ++water;
        EXPECT_LT(difference, 12.f) << "texel " << i << "," << j << " should be open sea";
      } else if (h > 2.0f) {
        ++land;
        EXPECT_GT(difference, 20.f) << "texel " << i << "," << j << " should be land";
      }
    }
  }
  EXPECT_GT(land, 300);
  EXPECT_GT(water, 300);
}

TEST(AssetgenLavaStream, FlowsOverTheIslandInTheMiddleFifthAndFadesOutside) {
  Picture stream("textures/lavastream.bmp");
  ASSERT_EQ(stream.Height(), stream.Width());
  int size = stream.Width();
  int bright = 0;
  for (int j = 0; j < size; j += 4) {
    for (int i = 0; i < size; i += 4) {
      // Grown to five times the island's texture, texel (i, j) covers island point (u, v).
      float u = 0.5f + ((i + 0.5f) / size - 0.5f) * 5;
      float v = 0.5f + ((j + 0.5f) / size - 0.5f) * 5;
      const uint8_t red = stream.ColourAt(i, j)[0];
      if (u >= 0 && u <= 1 && v >= 0 && v <= 1) {
        bright += red >= 200;
      } else {
        EXPECT_LT(red, 90) << i << "," << j;  // at most a dim glow beyond the island
      }
    }
  }
  EXPECT_GT(bright, 100);
  EXPECT_GT(stream.ColourAt(size / 2, size / 2)[0], 200);  // the crater
  EXPECT_EQ(stream.ColourAt(0, 0), (Pixel{0, 0, 0}));
}
}  // namespace

}  // namespace assetgen::tests
