// Direct3D semantics as the OpenGL backend draws them, read back pixel by pixel.
#include <algorithm>
#include <bit>
#include <numbers>

#include "gfx/d3dx_matrix.h"
#include "gfx/render_target_scope.h"
#include "gl_pixel_fixture.h"
#include "platform/d3d8/format_info.h"

namespace {

DWORD FloatBits(float value) {
  return std::bit_cast<DWORD>(value);
}

// Red, green, blue and white texels, row by row, and how each shows.
const std::vector<uint32_t> kFourTexels = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
const std::array<Rgba, 4> kFourColours = {
    {{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {255, 255, 255, 255}}};

// The pixels at (a, a), (b, a), (a, b) and (b, b): where a 2 x 2 texture drawn large shows its
// four texels.
std::array<Rgba, 4> Corners(const BackBufferImage& image, int a, int b) {
  return {At(image, a, a), At(image, b, a), At(image, a, b), At(image, b, b)};
}

using GlBackendTest = GlPixelTest;

struct FormatCase {
  D3DFORMAT format;
  std::vector<uint32_t> texels;  // top-left, top-right, bottom-left, bottom-right
  std::array<Rgba, 4> expected;
};

// Every texture format of the device's table, in its Direct3D memory layout, shows its colours
// and alpha the right way up. Vertices without a diffuse colour are white, so the default
// MODULATE shows the texture.
TEST_F(GlBackendTest, EachTextureFormatShowsItsColoursAndAlphaTheRightWayUp) {
  struct PlainVertex {
    float x, y, z, u, v;
  };
  const PlainVertex quad[] = {
      {-1, 1, 0.5f, 0, 0}, {1, 1, 0.5f, 1, 0}, {-1, -1, 0.5f, 0, 1}, {1, -1, 0.5f, 1, 1}};
  const FormatCase cases[] = {
      {D3DFMT_A8R8G8B8,
       {0x80FF0000, 0xFF00FF00, 0x400000FF, 0xFFFFFFFF},
       {{{255, 0, 0, 128}, {0, 255, 0, 255}, {0, 0, 255, 64}, {255, 255, 255, 255}}}},
      {D3DFMT_X8R8G8B8,
       {0x00FF0000, 0x1200FF00, 0x000000FF, 0x00808080},
       {{{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {128, 128, 128, 255}}}},
      {D3DFMT_R5G6B5,
       {0xF800, 0x07E0, 0x001F, 0x8410},
       {{{255, 0, 0, 255}, {0, 255, 0, 255}, {0, 0, 255, 255}, {132, 130, 132, 255}}}},
      {D3DFMT_A4R4G4B4,
       {0x8F00, 0xF0F0, 0x400F, 0xFFFF},
       {{{255, 0, 0, 136}, {0, 255, 0, 255}, {0, 0, 255, 68}, {255, 255, 255, 255}}}},
  };
  const auto textureFormats = std::ranges::count_if(KnownFormats(), &FormatInfo::texture);
  ASSERT_EQ(std::size(cases), size_t(textureFormats)) << "a texture format without a case here";
  for (const FormatCase& c : cases) {
    SCOPED_TRACE(c.format);
    Clear(0);
    device_->SetTexture(0, MakeTexture(c.format, 2, 2, c.texels));
    device_->SetVertexShader(D3DFVF_XYZ | D3DFVF_TEX1);
    ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad, sizeof(PlainVertex)), D3D_OK);
    const std::array<Rgba, 4> corners = Corners(Frame(), 16, 48);
    for (int k = 0; k < 4; ++k) EXPECT_TRUE(Near(corners[k], c.expected[k], 2)) << k;
  }
}

// The quad with its texture coordinates running from 0 to scale.
std::array<TestVertex, 4> TiledQuad(std::array<TestVertex, 4> quad, float scale) {
  for (TestVertex& v : quad) {
    v.u *= scale;
    v.v *= scale;
  }
  return quad;
}

// Wrap, the default address mode, repeats the texture: u = 1.27 along the top row is red, 1.77
// green. Then two texels to a pixel: level 1 under a mip filter, level 0 without one.
TEST_F(GlBackendTest, CoordinatesWrapByDefaultAndMipFiltersChooseTheLevelOfTheMinification) {
  SelectTexture(MakeTexture(D3DFMT_A8R8G8B8, 2, 2, kFourTexels));
  DrawStrip(TiledQuad(Quad(-1, 1, 1, -1), 2));
  BackBufferImage image = Frame();
  EXPECT_EQ(At(image, 40, 8), kFourColours[0]);
  EXPECT_EQ(At(image, 56, 8), kFourColours[1]);
  IDirect3DTexture8* texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(4, 4, 3, 0, D3DFMT_X8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  textures_.push_back(texture);
  const uint32_t levelColors[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF};
  for (UINT level = 0, size = 4; level < 3; ++level, size /= 2) {
    Fill(texture, std::vector<uint32_t>(size * size, levelColors[level]), level);
  }
  SelectTexture(texture);
  for (DWORD mip : {D3DTEXF_NONE, D3DTEXF_POINT, D3DTEXF_LINEAR}) {
    SCOPED_TRACE(mip);
    device_->SetTextureStageState(0, D3DTSS_MIPFILTER, mip);
    DrawStrip(TiledQuad(Quad(-1, 1, 1, -1), 32));
    EXPECT_TRUE(Near(PixelAt(33, 33),
                     mip == D3DTEXF_NONE ? Rgba{255, 0, 0, 255} : Rgba{0, 255, 0, 255}, 2));
  }
}

struct StageCase {
  const char* name;
  DWORD colorOp, colorArg1, colorArg2;
  Rgba expected;
  bool bound = true;  // the texture is set
};

TEST_F(GlBackendTest, StageZeroSelectsOrModulatesTextureAndDiffuse) {
  IDirect3DTexture8* texture = MakeTexture(D3DFMT_A8R8G8B8, 1, 1, {0x40C86432});  // 200, 100, 50
  const D3DCOLOR diffuse = 0x8080FF00;                                            // 128, 255, 0
  constexpr DWORD kTexel = D3DTA_TEXTURE, kDiffuse = D3DTA_DIFFUSE;
  const StageCase cases[] = {
      {"texture", D3DTOP_SELECTARG1, kTexel, kDiffuse, {200, 100, 50, 64}},
      {"modulate", D3DTOP_MODULATE, kTexel, D3DTA_CURRENT, {100, 100, 0, 64}},
      // Reading a missing texture disables the stage: colour and alpha are the diffuse's.
      {"texture missing", D3DTOP_SELECTARG1, kTexel, kDiffuse, {128, 255, 0, 128}, false},
  };
  for (const StageCase& c : cases) {
    SCOPED_TRACE(c.name);
    device_->SetTexture(0, c.bound ? texture : nullptr);
    device_->SetTextureStageState(0, D3DTSS_COLOROP, c.colorOp);
    device_->SetTextureStageState(0, D3DTSS_COLORARG1, c.colorArg1);
    device_->SetTextureStageState(0, D3DTSS_COLORARG2, c.colorArg2);
    DrawStrip(Quad(-1, 1, 1, -1, diffuse));
    EXPECT_TRUE(Near(PixelAt(32, 32), c.expected, 1));
  }
}

TEST_F(GlBackendTest, AlphaTestGreaterThan153PassesOnly154AndAbove) {
  device_->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
  device_->SetRenderState(D3DRS_ALPHAREF, 0x199);  // only the low 8 bits count: 153
  device_->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
  Select(D3DTA_DIFFUSE);
  DrawStrip(Quad(-1, 1, -0.5f, -1, 0x98FFFFFF));  // 152
  DrawStrip(Quad(-0.5f, 1, 0, -1, 0x99FFFFFF));   // 153
  DrawStrip(Quad(0, 1, 0.5f, -1, 0x9AFFFFFF));    // 154
  BackBufferImage image = Frame();
  EXPECT_EQ(At(image, 8, 32).r, 0);
  EXPECT_EQ(At(image, 24, 32).r, 0);
  EXPECT_EQ(At(image, 40, 32), (Rgba{255, 255, 255, 154}));
}

TEST_F(GlBackendTest, SourceAlphaAndAdditiveBlending) {
  Select(D3DTA_DIFFUSE);
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
  Clear(0xFFC86400);  // 200, 100, 0

  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  DrawStrip(Quad(-1, 1, 0, -1, 0x400000FF));  // blue at a quarter
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ONE);
  DrawStrip(Quad(0, 1, 1, -1, 0xFF404040));

  BackBufferImage image = Frame();
  EXPECT_TRUE(Near(At(image, 16, 32), {150, 75, 64, 207}, 2));
  EXPECT_TRUE(Near(At(image, 48, 32), {255, 164, 64, 255}, 1));
}

TEST_F(GlBackendTest, DepthTestWithoutDepthWritesLetsLaterFartherDrawsThrough) {
  Select(D3DTA_DIFFUSE);
  for (DWORD write : {FALSE, TRUE}) {
    SCOPED_TRACE(write);
    Clear(0xFF000000);
    device_->SetRenderState(D3DRS_ZWRITEENABLE, write);
    DrawStrip(Quad(-1, 1, 1, -1, 0xFFFF0000, 0.3f));
    device_->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    DrawStrip(Quad(-1, 1, 1, -1, 0xFF00FF00, 0.6f));
    EXPECT_EQ(PixelAt(32, 32), write ? (Rgba{255, 0, 0, 255}) : (Rgba{0, 255, 0, 255}));
  }
}

// Drawn into a render-target texture and sampled from it, a picture keeps its orientation.
TEST_F(GlBackendTest, RenderTargetTexturesShowTheirPictureAsLoadedTexturesDo) {
  IDirect3DTexture8* picture = MakeTexture(D3DFMT_A8R8G8B8, 2, 2, kFourTexels);
  IDirect3DTexture8* target = nullptr;
  ASSERT_EQ(device_->CreateTexture(32, 32, 1, D3DUSAGE_RENDERTARGET, D3DFMT_X8R8G8B8,
                                   D3DPOOL_DEFAULT, &target),
            D3D_OK);
  textures_.push_back(target);
  {
    RenderTargetScope scope(device_.Get());
    ASSERT_TRUE(scope.DrawInto(target));
    SelectTexture(picture);
    DrawStrip(Quad(-1, 1, 1, -1));
  }
  // Sampled in the next frame: a target keeps what was drawn into it.
  device_->EndScene();
  ASSERT_EQ(device_->Present(nullptr, nullptr, nullptr, nullptr), D3D_OK);
  ASSERT_EQ(device_->BeginScene(), D3D_OK);
  Clear(0xFF000000);
  SelectTexture(target);
  DrawStrip(Quad(-1, 1, 1, -1));
  EXPECT_EQ(Corners(Frame(), 16, 48), kFourColours);
}

struct SpriteVertex {
  float x, y, z, size;
  D3DCOLOR diffuse;
};

// Scaled sprites are the viewport's height over the eye distance across, in both directions,
// also where the viewport is wider than high: size 1 at distance 4 in a viewport 64 wide and
// 32 high is 8 pixels square.
TEST_F(GlBackendTest, ScaledPointSpritesAreViewportHeightOverEyeDistanceAcross) {
  D3DXMATRIX projection;
  const float quarterTurn = std::numbers::pi_v<float> / 2;
  device_->SetTransform(D3DTS_PROJECTION,
                        D3DXMatrixPerspectiveFovLH(&projection, quarterTurn, 1, 1, 100));
  const D3DVIEWPORT8 wide{0, 0, 64, 32, 0.0f, 1.0f};
  device_->SetViewport(&wide);
  device_->SetRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
  device_->SetRenderState(D3DRS_POINTSCALEENABLE, TRUE);
  device_->SetRenderState(D3DRS_POINTSIZE_MAX, FloatBits(1000.0f));
  device_->SetRenderState(D3DRS_POINTSCALE_A, FloatBits(0.0f));
  device_->SetRenderState(D3DRS_POINTSCALE_C, FloatBits(1.0f));
  Select(D3DTA_DIFFUSE);
  device_->SetVertexShader(D3DFVF_XYZ | D3DFVF_PSIZE | D3DFVF_DIFFUSE);
  const SpriteVertex point{0, 0, 4, 1, 0xFFFFFFFF};
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_POINTLIST, 1, &point, sizeof(SpriteVertex)), D3D_OK);
  const BackBufferImage square = Frame();
  int litColumns = 0, litRows = 0;
  for (int x = 0; x < 64; ++x) litColumns += At(square, x, 16).r > 0 ? 1 : 0;
  for (int y = 0; y < 32; ++y) litRows += At(square, 32, y).r > 0 ? 1 : 0;
  EXPECT_NEAR(litColumns, 8, 1);
  EXPECT_NEAR(litRows, 8, 1);
}

// A fan turns around its first vertex: here a diamond around the centre, in clip space.
TEST_F(GlBackendTest, TriangleFansTurnAroundTheirFirstVertex) {
  Select(D3DTA_DIFFUSE);
  const D3DCOLOR red = 0xFFFF0000;
  const TestVertex fan[] = {{0, 0, 0.5f, red, 0, 0},  {0, 1, 0.5f, red, 0, 0},
                            {1, 0, 0.5f, red, 0, 0},  {0, -1, 0.5f, red, 0, 0},
                            {-1, 0, 0.5f, red, 0, 0}, {0, 1, 0.5f, red, 0, 0}};
  ASSERT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 4, fan, sizeof(TestVertex)), D3D_OK);
  BackBufferImage diamond = Frame();
  for (auto [x, y] : {std::pair{32, 4}, {60, 32}, {32, 60}, {4, 32}, {32, 32}}) {
    EXPECT_EQ(At(diamond, x, y).r, 255) << x << ", " << y;
  }
  EXPECT_EQ(At(diamond, 4, 4).r, 0);
}

}  // namespace
