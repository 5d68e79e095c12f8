#include "tools/assetgen/art/height_map_encoder.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/art/terrain_frame.h"

namespace assetgen {

int HeightMapEncoder::SampleSum(float height) {
  float unit = TerrainFrame::kSampleUnit * TerrainFrame::kHeightScale;
  return std::clamp(static_cast<int>(std::lround(height / unit)), 0, 3 * 255);
}

Image HeightMapEncoder::Encode(const HeightField& heights) {
  constexpr int kSize = TerrainFrame::kHeightMapSize;
  Image image(kSize, kSize);
  for (int row = 0; row < kSize; ++row) {
    for (int column = 0; column < kSize; ++column) {
      float u = static_cast<float>(row) / (kSize - 1);
      float v = static_cast<float>(column) / (kSize - 1);
      int sum = SampleSum(heights.Sample(u, v));
      // Spread the sum over the three channels, a near-grey pixel.
      int blue = sum / 3;
      int green = (sum - blue) / 2;
      int red = sum - blue - green;
      image.At(column, kSize - 1 - row) = {red / 255.f, green / 255.f, blue / 255.f};
    }
  }
  return image;
}

}  // namespace assetgen
