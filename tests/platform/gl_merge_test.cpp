// Runs of small draws merged into one GL draw: each draw shows where, and as, it was made.
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

  // In glyph g's cell, with its texture unless another is given.
  void DrawGlyphFromMemory(int g, IDirect3DTexture8* texture = nullptr) {
    PlaceGlyph(g);
    if (texture) device_->SetTexture(0, texture);
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

// The second half of the grid takes its colour from the vertices, so the frame has two runs:
// each glyph's ink lands on its own cell, in the colour its run's state gives it.
TEST_F(MergedDrawTest, MergedRunsDrawEveryGlyphInItsCellWithItsRunsState) {
  for (int g = 0; g < kGlyphs; ++g) {
    if (g == kGlyphs / 2) device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_DIFFUSE);
    DrawGlyphFromMemory(g);
  }
  EXPECT_EQ(Present().backendDraws, 2u);
  const BackBufferImage frame = Frame();
  EXPECT_EQ(MisplacedInk(frame, kGlyphs), 0);
  EXPECT_EQ(At(frame, 0, 0), (Rgba{0x11, 0, 0xFF, 255}));   // glyph 0's ink, 0xF10F
  EXPECT_EQ(At(frame, 1, 32), (Rgba{255, 255, 255, 255}));  // glyph 32's, from the vertices
}

// A texture rewritten between two draws of one run: each draw shows the texels it was given.
TEST_F(MergedDrawTest, TexelsChangedBetweenMergedDrawsShowInTheirOwnDraw) {
  DrawGlyphFromMemory(0);
  Fill(glyphs_[0], GlyphTexels(1));
  DrawGlyphFromMemory(1, glyphs_[0]);
  EXPECT_EQ(MisplacedInk(Frame(), 2), 0);  // glyph 0's texels in cell 0, glyph 1's in cell 1
}

}  // namespace
