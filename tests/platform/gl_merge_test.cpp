// Runs of small draws merged into one GL draw look exactly as the draws made one by one.
#include <cstring>

#include "gfx/d3dx_matrix.h"
#include "gl_pixel_fixture.h"

namespace {

constexpr int kCell = 8;
constexpr int kGlyphs = 64;  // an 8 x 8 grid fills the 64 x 64 back buffer

// The console's glyph quad: a triangle strip of one cell, texture (0, 0) at its top-left.
const TestVertex kGlyphQuad[] = {{0, kCell, 0, 0xFFFFFFFF, 0, 0},
                                 {0, 0, 0, 0xFFFFFFFF, 0, 1},
                                 {kCell, kCell, 0, 0xFFFFFFFF, 1, 0},
                                 {kCell, 0, 0, 0xFFFFFFFF, 1, 1}};

// Glyph g's ink: a diagonal pattern in a colour of its own, on transparent texels.
std::vector<uint32_t> GlyphTexels(int g) {
  std::vector<uint32_t> texels(kCell * kCell, 0);
  const uint32_t ink = 0xF000u | (g % 15 + 1) << 8 | (g * 7 % 16) << 4 | (15 - g % 16);
  for (int y = 0; y < kCell; ++y) {
    for (int x = 0; x < kCell; ++x) {
      if ((x + y + g) % 3 == 0) texels[y * kCell + x] = ink;
    }
  }
  return texels;
}

class MergedDrawTest : public GlPixelTest {
 protected:
  // The console's state: an orthographic projection of the viewport, alpha test at 153,
  // linear magnification, stage 0 selecting the texture.
  void SetUp() override {
    GlPixelTest::SetUp();
    D3DXMATRIX projection;
    device_->SetTransform(D3DTS_PROJECTION, D3DXMatrixOrthoLH(&projection, kSize, kSize, 0, 1));
    device_->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device_->SetRenderState(D3DRS_ALPHAREF, 153);
    device_->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    device_->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_NONE);
    SelectTexture(nullptr);
    for (int g = 0; g < kGlyphs; ++g)
      glyphs_.push_back(MakeTexture(D3DFMT_A4R4G4B4, kCell, kCell, GlyphTexels(g)));
  }

  // Places glyph g in its cell of the grid, row by row from the top-left.
  void PlaceGlyph(int g) {
    D3DXMATRIX world;
    D3DXMatrixTranslation(&world, static_cast<float>(g % 8 * kCell - kSize / 2),
                          static_cast<float>(kSize / 2 - kCell - g / 8 * kCell), 0);
    device_->SetTransform(D3DTS_WORLD, &world);
    device_->SetTexture(0, glyphs_[g]);
  }

  void DrawGlyphFromMemory(int g) {
    PlaceGlyph(g);
    ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, kGlyphQuad, sizeof(TestVertex)),
              D3D_OK);
  }

  // Pixels whose ink differs from the texels of the glyph in their cell, where the first `cells`
  // cells of the grid hold glyphs 0, 1, ... and the rest of the frame is background.
  static int MisplacedInk(const BackBufferImage& frame, int cells) {
    int wrong = 0;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const int g = y / kCell * 8 + x / kCell;
        const bool ink = g < cells && GlyphTexels(g)[y % kCell * kCell + x % kCell] != 0;
        wrong += (At(frame, x, y) == Rgba{0, 0, 0, 255}) == ink ? 1 : 0;
      }
    }
    return wrong;
  }

  // Ends the frame and returns what it cost.
  DeviceCounters Present() {
    device_->EndScene();
    EXPECT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
    DeviceCounters counters;
    device_->GetCounters(&counters);
    device_->BeginScene();
    return counters;
  }

  std::vector<IDirect3DTexture8*> glyphs_;
};

// The second half of the grid takes its colour from the vertices, so each frame has two runs.
TEST_F(MergedDrawTest, MergedRunsDrawTheSamePixelsAsSeparateDraws) {
  for (int g = 0; g < kGlyphs; ++g) {
    if (g == kGlyphs / 2) device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    DrawGlyphFromMemory(g);
  }
  const DeviceCounters merged = Present();
  const BackBufferImage fromMemory = Frame();

  IDirect3DVertexBuffer8* quad = nullptr;
  ASSERT_EQ(device_->CreateVertexBuffer(sizeof kGlyphQuad, D3DUSAGE_WRITEONLY, kTestVertexFormat,
                                        D3DPOOL_MANAGED, &quad),
            D3D_OK);
  BYTE* bytes = nullptr;
  ASSERT_EQ(quad->Lock(0, 0, &bytes, 0), D3D_OK);
  std::memcpy(bytes, kGlyphQuad, sizeof kGlyphQuad);
  quad->Unlock();
  device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
  Clear(0xFF000000);
  for (int g = 0; g < kGlyphs; ++g) {
    if (g == kGlyphs / 2) device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    PlaceGlyph(g);
    device_->SetStreamSource(0, quad, sizeof(TestVertex));
    ASSERT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3D_OK);
  }
  const DeviceCounters separate = Present();
  const BackBufferImage fromBuffer = Frame();
  device_->SetStreamSource(0, nullptr, 0);
  quad->Release();

  EXPECT_EQ(merged.draws, static_cast<uint32_t>(kGlyphs));
  EXPECT_EQ(merged.backendDraws, 2u);
  EXPECT_EQ(separate.backendDraws, static_cast<uint32_t>(kGlyphs));
  EXPECT_EQ(MisplacedInk(fromMemory, kGlyphs), 0);  // not blank: every glyph where it belongs
  EXPECT_TRUE(fromMemory.rgba == fromBuffer.rgba);
}

// A texture rewritten between two draws of one run: each draw shows the texels it was given.
TEST_F(MergedDrawTest, TexelsChangedBetweenMergedDrawsShowInTheirOwnDraw) {
  DrawGlyphFromMemory(0);
  Fill(glyphs_[0], GlyphTexels(1));
  PlaceGlyph(1);
  device_->SetTexture(0, glyphs_[0]);
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, kGlyphQuad, sizeof(TestVertex)),
            D3D_OK);
  EXPECT_EQ(MisplacedInk(Frame(), 2), 0);  // glyph 0's texels in cell 0, glyph 1's in cell 1
}

TEST_F(MergedDrawTest, CountersReportUploadsOnlyWhenTexelsChange) {
  auto drawAll = [this] {
    Clear(0xFF000000);
    for (int g = 0; g < kGlyphs; ++g) DrawGlyphFromMemory(g);
    return Present();
  };
  const DeviceCounters first = drawAll();
  EXPECT_EQ(first.textureUploads, static_cast<uint32_t>(kGlyphs));
  EXPECT_GE(first.bytesUploaded, uint64_t{kGlyphs} * kCell * kCell * 2);

  const DeviceCounters second = drawAll();
  EXPECT_EQ(second.textureUploads, 0u);
  EXPECT_EQ(second.backendDraws, 1u);
  EXPECT_LE(second.programSwitches, 1u);

  Fill(glyphs_[5], GlyphTexels(6));
  EXPECT_EQ(drawAll().textureUploads, 1u);
}

}  // namespace
