// The writers' byte layouts where the generated files alone would not show a fault, and the
// height map's encoding of heights into the sums the terrain reads.
#include <gtest/gtest.h>

#include "platform/byte_reader.h"
#include "tools/assetgen/art/height_map_encoder.h"
#include "tools/assetgen/formats/bmp_writer.h"
#include "tools/assetgen/formats/wav_writer.h"

namespace assetgen::tests {

namespace {
TEST(AssetgenBmpWriter, PadsRowsToFourBytesAndStoresTheBottomRowFirst) {
  Image image(3, 2);                 // 9 bytes a row, padded to 12
  image.At(0, 0) = {1.f, 0.f, 0.f};  // top-left red
  image.At(2, 1) = {0.f, 0.f, 1.f};  // bottom-right blue
  const std::vector<uint8_t> bmp = BmpWriter::Encode(image);
  ASSERT_EQ(bmp.size(), 54u + 2 * 12);
  EXPECT_EQ(LoadLe32(&bmp[2]), bmp.size());
  EXPECT_EQ(LoadLe32(&bmp[10]), 54u);
  EXPECT_EQ(LoadLe32(&bmp[34]), 24u);
  EXPECT_EQ(LoadLe16(&bmp[28]), 24);
  // First stored row is the bottom one; pixels are blue, green, red.
  EXPECT_EQ(bmp[54 + 6], 255);       // bottom-right blue
  EXPECT_EQ(bmp[54 + 9], 0);         // padding
  EXPECT_EQ(bmp[54 + 12 + 2], 255);  // top-left red
}

TEST(AssetgenBmpWriter, PalettedPicturesCarryAll256Entries) {
  IndexedImage image;
  image.width = 5;
  image.height = 1;
  image.indices = {0, 1, 2, 3, 255};
  image.palette[255] = {1.f, 0.5f, 0.f};
  const std::vector<uint8_t> bmp = BmpWriter::Encode(image);
  ASSERT_EQ(bmp.size(), 54u + 1024 + 8);
  EXPECT_EQ(LoadLe16(&bmp[28]), 8);
  EXPECT_EQ(LoadLe32(&bmp[10]), 54u + 1024);
  EXPECT_EQ(LoadLe32(&bmp[34]), 8u);  // 5 indices padded to 8
  EXPECT_EQ(LoadLe32(&bmp[46]), 256u);
  EXPECT_EQ(bmp[54 + 255 * 4 + 2], 255);  // red of entry 255
  EXPECT_EQ(bmp[54 + 255 * 4 + 1], 128);
  EXPECT_EQ(bmp[54 + 1024 + 4], 255);
}

TEST(AssetgenWavWriter, ClipsBeyondFullScaleAndSizesItsChunks) {
  const std::vector<uint8_t> wav = WavWriter::EncodeMono16({0.f, 0.5f, -2.f, 2.f}, 8000);
  ASSERT_EQ(wav.size(), 44u + 8);
  EXPECT_EQ(LoadLe32(&wav[4]), wav.size() - 8);
  EXPECT_EQ(LoadLe32(&wav[24]), 8000u);
  EXPECT_EQ(LoadLe32(&wav[28]), 16000u);  // bytes a second: players other than ours read it
  EXPECT_EQ(LoadLe32(&wav[40]), 8u);
  EXPECT_EQ(int16_t(LoadLe16(&wav[46])), 16384);
  EXPECT_EQ(int16_t(LoadLe16(&wav[48])), -32767);
  EXPECT_EQ(int16_t(LoadLe16(&wav[50])), 32767);
}

// The terrain reads a pixel as (b + g + r) x 0.0013037809 x 15: a height unit is 51.1 of a sum.
TEST(AssetgenHeightMapEncoder, ChannelsSumToTheNearestSampleOfAHeight) {
  EXPECT_EQ(HeightMapEncoder::SampleSum(1.f), 51);
  EXPECT_EQ(HeightMapEncoder::SampleSum(100.f), 765);  // the most a pixel holds
  HeightField flat(2, 1.f);
  for (int k = 0; k < 4; ++k) flat.At(k % 2, k / 2) = 6.8f;
  const Rgb pixel = HeightMapEncoder::Encode(flat).At(100, 200);
  EXPECT_EQ(ToByte(pixel.r) + ToByte(pixel.g) + ToByte(pixel.b), 348);
}
}  // namespace

}  // namespace assetgen::tests
