// Every generated picture through the program's own image decoder, checked against the
// independent reader.
#include <gtest/gtest.h>

#include <string>

#include "gfx/image_decoder.h"
#include "tests/tools/assetgen/generated_folder.h"
#include "tests/tools/assetgen/readers/bmp_file.h"

namespace assetgen::tests {

namespace {
TEST(AssetgenProgramDecoder, DecodesEveryPictureToTheSamePixels) {
  for (const char* name : {"textures/volcanoh24.bmp", "textures/volcanotex.bmp",
                           "textures/ocean.bmp", "textures/smoke.bmp", "textures/lava.bmp",
                           "textures/lavastream.bmp", "textures/erupdebris.bmp",
                           "textures/shockwave.bmp", "misc/firepal.bmp", "font/FONT_8.bmp"}) {
    const std::string bytes = GeneratedFolder::Contents(GeneratedFolder::File(name));
    DecodedImage image;
    ASSERT_TRUE(DecodeImage({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, &image))
        << name;
    BmpFile bmp(GeneratedFolder::File(name));
    ASSERT_EQ(image.width, static_cast<uint32_t>(bmp.Width())) << name;
    ASSERT_EQ(image.height, static_cast<uint32_t>(bmp.Height())) << name;
    for (auto [x, y] : {std::pair{0, 0},
                        {bmp.Width() / 2, bmp.Height() / 2},
                        {bmp.Width() - 1, bmp.Height() - 1},
                        {bmp.Width() / 3, 1}}) {
      auto expected = bmp.ColourAt(x, y);
      D3DCOLOR colour = image.At(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
      EXPECT_EQ(colour, PackArgb(255, expected[0], expected[1], expected[2]))
          << name << " at " << x << "," << y;
    }
    if (bmp.BitsPerPixel() == 8) {
      EXPECT_EQ(image.palette.size(), 256u) << name;
    }
  }
}
}  // namespace

}  // namespace assetgen::tests
