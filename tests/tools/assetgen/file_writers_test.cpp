// The writers' byte layouts where the generated files alone would not show a fault.
#include <gtest/gtest.h>

#include "tests/tools/assetgen/readers/byte_reader.h"
#include "tools/assetgen/formats/bmp_writer.h"
#include "tools/assetgen/formats/byte_buffer.h"
#include "tools/assetgen/formats/wav_writer.h"

namespace assetgen::tests {

namespace {
TEST(AssetgenBmpWriter, PadsRowsToFourBytesAndStoresTheBottomRowFirst) {
  Image image(3, 2);                 // 9 bytes a row, padded to 12
  image.At(0, 0) = {1.f, 0.f, 0.f};  // top-left red
  image.At(2, 1) = {0.f, 0.f, 1.f};  // bottom-right blue
  ByteReader bmp(BmpWriter::Encode(image));
  ASSERT_EQ(bmp.Size(), 54u + 2 * 12);
  EXPECT_EQ(bmp.U32(2), bmp.Size());
  EXPECT_EQ(bmp.U32(10), 54u);
  EXPECT_EQ(bmp.U32(34), 24u);
  EXPECT_EQ(bmp.U16(28), 24);
  // First stored row is the bottom one; pixels are blue, green, red.
  EXPECT_EQ(bmp.U8(54 + 6), 255);       // bottom-right blue
  EXPECT_EQ(bmp.U8(54 + 9), 0);         // padding
  EXPECT_EQ(bmp.U8(54 + 12 + 2), 255);  // top-left red
}

TEST(AssetgenBmpWriter, PalettedPicturesCarryAll256Entries) {
  IndexedImage image;
  image.width = 5;
  image.height = 1;
  image.indices = {0, 1, 2, 3, 255};
  image.palette[255] = {1.f, 0.5f, 0.f};
  ByteReader bmp(BmpWriter::Encode(image));
  EXPECT_EQ(bmp.U16(28), 8);
  EXPECT_EQ(bmp.U32(10), 54u + 1024);
  EXPECT_EQ(bmp.U32(34), 8u);  // 5 indices padded to 8
  EXPECT_EQ(bmp.U32(46), 256u);
  EXPECT_EQ(bmp.U8(54 + 255 * 4 + 2), 255);  // red of entry 255
  EXPECT_EQ(bmp.U8(54 + 255 * 4 + 1), 128);
  EXPECT_EQ(bmp.U8(54 + 1024 + 4), 255);
}

TEST(AssetgenWavWriter, ClipsBeyondFullScaleAndSizesItsChunks) {
  ByteReader wav(WavWriter::EncodeMono16({0.f, 0.5f, -2.f, 2.f}, 8000));
  ASSERT_EQ(wav.Size(), 44u + 8);
  EXPECT_EQ(wav.U32(4), wav.Size() - 8);
  EXPECT_EQ(wav.U32(24), 8000u);
  EXPECT_EQ(wav.U32(40), 8u);
  EXPECT_EQ(wav.I16(46), 16384);
  EXPECT_EQ(wav.I16(48), -32767);
  EXPECT_EQ(wav.I16(50), 32767);
}

TEST(AssetgenByteBuffer, FixedTextIsPaddedOrCutToItsField) {
  ByteBuffer buffer;
  buffer.FixedText("sky", 5);
  buffer.FixedText("volcano", 4);
  ByteReader bytes(buffer.Bytes());
  EXPECT_EQ(bytes.Text(0, 9), std::string("sky\0\0volc", 9));
}
}  // namespace

}  // namespace assetgen::tests
