#include "console/bitmap_font.h"

#include <gtest/gtest.h>

#include <fstream>

#include "device_readback.h"
#include "drawn_quad.h"
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

TEST_F(BitmapFontTest, EachGlyphIsOneLevelOfInkInTheFontColour) {
  for (uint16_t color : {uint16_t{0xF00F}, uint16_t{0}}) {
    ASSERT_TRUE(Load(Strip(3, 4), "3 4 4ABC", color));
    EXPECT_EQ(font_->GlyphCount(), 3u);
    IDirect3DTexture8* glyph = Draw("C", 0, 0, 1).at(0).state.textures[0];
    EXPECT_EQ(glyph->GetLevelCount(), 1u);
    D3DSURFACE_DESC desc{};
    glyph->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Format, D3DFMT_A4R4G4B4);
    const uint16_t ink = color ? color : 0xFF00;  // colour 0: the palette's red, opaque
    std::vector<uint32_t> expected;
    for (int k = 0; k < 16; ++k) expected.push_back(k % 4 == (k / 4 + 2) % 4 ? ink : 0);
    EXPECT_EQ(LevelTexels(glyph), expected);
  }
}

TEST_F(BitmapFontTest, DescriptionCharactersFollowTheNumbersAtOnceAsText) {
  // A line break after the numbers is a glyph's character; CR LF reads as one line feed.
  ASSERT_TRUE(Load(Strip(3, 4), "3 4 4\r\nAA"));
  std::vector<RecordedDraw> draws = Draw("\nA\r", 0, 0, 1);
  ASSERT_EQ(draws.size(), 2u);
  // The second A's cell is never drawn: the first glyph of a character wins.
  EXPECT_EQ(draws[1].textureId, draws[0].textureId + 1);
  ASSERT_TRUE(Load(Strip(3, 4), "0 4 4"));
  EXPECT_EQ(font_->GlyphCount(), 0u);
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

TEST_F(BitmapFontTest, CellsAdvanceByScaleAndStandOnACellHeightDownFromTheTop) {
  ASSERT_TRUE(Load(Strip(3, 8), "3 8 8ABC"));
  std::vector<RecordedDraw> draws = Draw("ABCABCABCA", 100, 0, 2);
  ASSERT_EQ(draws.size(), 10u);
  // The text stands on a line one cell below the top edge and grows upward with the scale.
  DrawnQuad last = DrawnQuadOf(draws[9]);
  EXPECT_NEAR(last.left, 100 + 9 * 16, 1e-3);
  EXPECT_NEAR(last.top, -8, 1e-3);
  EXPECT_NEAR(last.bottom, 8, 1e-3);
  // A character without a glyph draws nothing but takes its cell.
  draws = Draw("A?B", 0, -16, 1);
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_NEAR(DrawnQuadOf(draws[1]).left, 16, 1e-3);
  EXPECT_NEAR(DrawnQuadOf(draws[1]).top, 16, 1e-3);
}

TEST_F(BitmapFontTest, GlyphsAreAlphaTestedAndTheCallersStatesComeBack) {
  ASSERT_TRUE(Load(Strip(3, 4), "3 4 4ABC"));
  const D3DMATRIX world = D3DXMATRIX(2, 0, 0, 0, 0, 2, 0, 0, 0, 0, 2, 0, 1, 2, 3, 1);
  device_->SetTransform(D3DTS_WORLD, &world);
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_LINEAR);
  const PipelineState s = Draw("AB", 0, 0, 1).at(1).state;
  EXPECT_EQ(s.Render(D3DRS_ALPHABLENDENABLE), FALSE);
  EXPECT_EQ(s.Render(D3DRS_ALPHATESTENABLE), TRUE);
  EXPECT_EQ(s.Render(D3DRS_ALPHAREF), 153u);
  EXPECT_EQ(s.Render(D3DRS_ALPHAFUNC), D3DCMP_GREATER);
  EXPECT_EQ(s.Stage(0, D3DTSS_MINFILTER), D3DTEXF_NONE);
  EXPECT_EQ(s.Stage(0, D3DTSS_ALPHAARG1), D3DTA_TEXTURE);
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
