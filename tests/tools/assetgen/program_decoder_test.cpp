// Every generated picture through the program's own image decoder, checked against the
// independent reader.
#include <gtest/gtest.h>

#include <string>

#include "gfx/image_decoder.h"
#include "tests/tools/assetgen/generated_folder.h"
#include "tests/tools/assetgen/readers/bmp_file.h"
#include "tests/tools/assetgen/readers/byte_reader.h"

namespace assetgen::tests {

namespace {
std::vector<uint8_t> fileBytes(const std::string& name) {
  ByteReader bytes = ByteReader::fromFile(GeneratedFolder::file(name));
  std::vector<uint8_t> out;
  for (size_t k = 0; k < bytes.size(); ++k) out.push_back(bytes.u8(k));
  return out;
}

TEST(AssetgenProgramDecoder, DecodesEveryPictureToTheSamePixels) {
  for (const char* name : {"textures/volcanoh24.bmp", "textures/volcanotex.bmp",
                           "textures/ocean.bmp", "textures/smoke.bmp", "textures/lava.bmp",
                           "textures/lavastream.bmp", "textures/erupdebris.bmp",
                           "textures/shockwave.bmp", "misc/firepal.bmp", "font/FONT_8.bmp"}) {
    std::vector<uint8_t> bytes = fileBytes(name);
    DecodedImage image;
    ASSERT_TRUE(DecodeImage(bytes, &image)) << name;
    BmpFile bmp(GeneratedFolder::file(name));
    ASSERT_EQ(image.width, static_cast<uint32_t>(bmp.width())) << name;
    ASSERT_EQ(image.height, static_cast<uint32_t>(bmp.height())) << name;
    for (auto [x, y] : {std::pair{0, 0},
                        {bmp.width() / 2, bmp.height() / 2},
                        {bmp.width() - 1, bmp.height() - 1},
                        {bmp.width() / 3, 1}}) {
      auto expected = bmp.rgb(x, y);
      D3DCOLOR colour = image.At(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
      EXPECT_EQ(colour, PackArgb(255, expected[0], expected[1], expected[2]))
          << name << " at " << x << "," << y;
    }
    if (bmp.bitsPerPixel() == 8) {
      EXPECT_EQ(image.palette.size(), 256u) << name;
    }
  }
}
}  // namespace

}  // namespace assetgen::tests
