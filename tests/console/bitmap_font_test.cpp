#include "console/bitmap_font.h"

#include <gtest/gtest.h>

#include <fstream>

#include "device_readback.h"
#include "gfx/d3dx_matrix.h"
#include "recorded_scene.h"
#include "recording_device_test.h"
#include "test_bitmap.h"

namespace {

// A strip of cell x cell glyphs, glyph i inked where x == (y + i) % cell; the palette's entries
// are all red.
TestBitmap Strip(int glyphs, int cell) {
  TestBitmap b{
      glyphs * cell, cell, 8, 0, 54 + 1024, std::vector<uint8_t>(glyphs * cell * cell), {}};
  for (int y = 0; y < cell; ++y) {
    for (int x = 0; x < b.width; ++x) {
      b.pixels[size_t(cell - 1 - y) * b.width + x] = x % cell == (y + x / cell) % cell;
    }
  }
  return b;
}

void Patch32(const char* path, std::streamoff at, uint32_t value) {
  std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
  file.seekp(at).write(reinterpret_cast<const char*>(&value), 4);  // little-endian hosts only
}

class BitmapFontTest : public RecordingDeviceTest {
 protected:
  BitmapFontTest() : RecordingDeviceTest(640, 480) {}

  bool Load(const TestBitmap& strip, const std::string& description, uint16_t color = 0xF00F) {
    WriteBitmap("font.bmp", strip);
    folder_.Write("font.fon", description);
    return font_->Load("font", color, device_);
  }

  // The draws of one RenderText call.
  std::vector<RecordedDraw> Draw(const char* text, float x, float y, float scale) {
    return RecordScene(device_, [&] { return font_->RenderText(text, x, y, scale, device_); })
        .draws;
  }

  std::unique_ptr<BitmapFont> font_ = std::make_unique<BitmapFont>();
};

// Colour 0 inks each glyph in the palette's own colour, here red, opaque.
TEST_F(BitmapFontTest, DescriptionCharactersPickGlyphsThatColourZeroInksFromThePalette) {
  // A line break after the numbers is a glyph's character; CR LF reads as one line feed.
  ASSERT_TRUE(Load(Strip(3, 4), "3 4 4\r\nAA", 0));
  std::vector<RecordedDraw> draws = Draw("\nA\r", 0, 0, 1);
  ASSERT_EQ(draws.size(), 2u);
  // A is glyph 1: the second A's cell is never drawn, the first glyph of a character wins.
  IDirect3DTexture8* glyph = draws[1].state.textures[0];
  D3DSURFACE_DESC desc{};
  glyph->GetLevelDesc(0, &desc);
  EXPECT_EQ(desc.Format, D3DFMT_A4R4G4B4);
  std::vector<uint32_t> expected;
  for (int k = 0; k < 16; ++k) expected.push_back(k % 4 == (k / 4 + 1) % 4 ? 0xFF00 : 0);
  EXPECT_EQ(LevelTexels(glyph), expected);
  ASSERT_TRUE(Load(Strip(3, 4), "0 4 4"));
  EXPECT_TRUE(Draw("A", 0, 0, 1).empty());
}

TEST_F(BitmapFontTest, MalformedFilesAreRefusedWithAReason) {
  struct Case {
    const char* reason;
    std::streamoff at;  // a header field of the valid strip overwritten with value, when not 0
    uint32_t value;
    const char* description;
  };
  const Case cases[] = {
      {"4 bits per pixel; only 8-bit", 28, 4, "3 4 4ABC"},
      {"not a bottom-up picture", 22, uint32_t(-4), "3 4 4ABC"},
      {"40 bytes is smaller than its 12 x 4 pixels", 34, 40, "3 4 4ABC"},
      {"runs past the file's end", 10, 0xFFFFFFF0, "3 4 4ABC"},
      {"runs past the file's end", 34, 0x7FFFFFFF, "3 4 4ABC"},
      {"runs past the file's end", 10, 1126 - 8, "3 4 4ABC"},  // each alone fits
      {"too small for 4 cells of 4 x 4", 0, 0, "4 4 4ABCD"},
      {"too small for 3 cells of 4 x 5", 0, 0, "3 4 5ABC"},
      {"glyph count 2147483647 is more than 256", 0, 0, "2147483647 4 4A"},
      {"cell size 4294967296 x 4 is outside", 0, 0, "3 4294967296 4ABC"},
      {"does not start with three numbers", 0, 0, "3 4 x4ABC"},
      {"lists 2 of its 3 characters", 0, 0, "3 4 4AB"},
  };
  auto refused = [&](const std::string& reason) {
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(font_->Load("font", 0xF00F, device_)) << reason;
    const std::string error = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(error.find(reason), std::string::npos) << error;
    EXPECT_EQ(font_->GlyphCount(), 0u);
  };
  for (const Case& c : cases) {
    WriteBitmap("font.bmp", Strip(3, 4));
    if (c.at != 0) Patch32("font.bmp", c.at, c.value);
    folder_.Write("font.fon", c.description);
    refused(c.reason);
  }
  folder_.Write("font.bmp", std::string(53, 'B'));
  refused("53 bytes, too short for a header");
  std::filesystem::remove("font.bmp");
  refused("font.bmp: cannot open");
}

TEST_F(BitmapFontTest, GlyphsAreAlphaTestedAndTheCallersStatesComeBack) {
  ASSERT_TRUE(Load(Strip(3, 4), "3 4 4ABC"));
  const D3DMATRIX world = D3DXMATRIX(2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 1, 2, 3, 1);
  device_->SetTransform(D3DTS_WORLD, &world);
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  EXPECT_EQ(Draw("AB", 0, 0, 1).at(1).state.Render(D3DRS_ALPHATESTENABLE), TRUE);
  EXPECT_EQ(RenderStateOf(device_, D3DRS_ALPHABLENDENABLE), TRUE);
  EXPECT_EQ(RenderStateOf(device_, D3DRS_ALPHATESTENABLE), FALSE);
  EXPECT_EQ(StageStateOf(device_, 0, D3DTSS_MINFILTER), D3DTEXF_LINEAR);
  D3DMATRIX after{};
  device_->GetTransform(D3DTS_WORLD, &after);
  EXPECT_EQ(after._41, 1.0f);
  // An empty string draws nothing and changes nothing.
  device_->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
  EXPECT_TRUE(Draw("", 0, 0, 1).empty());
  EXPECT_EQ(RenderStateOf(device_, D3DRS_ALPHATESTENABLE), TRUE);
}

}  // namespace
