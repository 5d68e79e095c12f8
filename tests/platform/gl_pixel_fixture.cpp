#include "gl_pixel_fixture.h"

#include <cstdlib>
#include <cstring>

std::ostream& operator<<(std::ostream& out, const Rgba& c) {
  return out << "(" << c.r << ", " << c.g << ", " << c.b << ", " << c.a << ")";
}

::testing::AssertionResult Near(const Rgba& actual, const Rgba& expected, int tolerance) {
  if (std::abs(actual.r - expected.r) <= tolerance &&
      std::abs(actual.g - expected.g) <= tolerance &&
      std::abs(actual.b - expected.b) <= tolerance &&
      std::abs(actual.a - expected.a) <= tolerance) {
    return ::testing::AssertionSuccess();
  }
  return ::testing::AssertionFailure() << actual << " is not " << expected;
}

void GlPixelTest::SetUpTestSuite() {
  std::string error;
  ASSERT_TRUE(HeadlessDevice::OpenWindow(&error)) << error;
}

void GlPixelTest::TearDownTestSuite() {
  HeadlessDevice::CloseWindow();
}

void GlPixelTest::SetUp() {
  ASSERT_TRUE(device_.Create(kSize, kSize, D3DFMT_A8R8G8B8, true));
  device_->SetRenderState(D3DRS_LIGHTING, FALSE);
  device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE);
  device_->SetVertexShader(kTestVertexFormat);
  ASSERT_EQ(device_->BeginScene(), D3D_OK);
  Clear(0xFF000000);
}

void GlPixelTest::TearDown() {
  if (!device_.Get()) return;
  device_->EndScene();
  device_->SetTexture(0, nullptr);
  for (IDirect3DTexture8* texture : textures_) texture->Release();
}

BackBufferImage GlPixelTest::Frame() {
  BackBufferImage image;
  EXPECT_EQ(device_->ReadBackBuffer(&image), D3D_OK);
  return image;
}

Rgba At(const BackBufferImage& image, int x, int y) {
  const uint8_t* p = image.rgba.data() + (static_cast<size_t>(y) * image.width + x) * 4;
  return {p[0], p[1], p[2], p[3]};
}

std::array<TestVertex, 4> GlPixelTest::Quad(float left, float top, float right, float bottom,
                                            D3DCOLOR color, float z) {
  return {{{left, top, z, color, 0, 0},
           {right, top, z, color, 1, 0},
           {left, bottom, z, color, 0, 1},
           {right, bottom, z, color, 1, 1}}};
}

void GlPixelTest::DrawStrip(const std::array<TestVertex, 4>& quad) {
  device_->SetVertexShader(kTestVertexFormat);
  EXPECT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, quad.data(), sizeof(TestVertex)),
            D3D_OK);
}

void GlPixelTest::Clear(D3DCOLOR color) {
  EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, color, 1.0f, 0), D3D_OK);
}

IDirect3DTexture8* GlPixelTest::MakeTexture(D3DFORMAT format, UINT width, UINT height,
                                            const std::vector<uint32_t>& texels) {
  IDirect3DTexture8* texture = nullptr;
  EXPECT_EQ(device_->CreateTexture(width, height, 1, 0, format, D3DPOOL_MANAGED, &texture), D3D_OK);
  if (!texture) return nullptr;
  textures_.push_back(texture);
  Fill(texture, texels);
  return texture;
}

void GlPixelTest::Fill(IDirect3DTexture8* texture, const std::vector<uint32_t>& texels,
                       UINT level) {
  D3DSURFACE_DESC desc{};
  texture->GetLevelDesc(level, &desc);
  const UINT bytes = desc.Format == D3DFMT_R5G6B5 || desc.Format == D3DFMT_A4R4G4B4 ? 2 : 4;
  D3DLOCKED_RECT locked{};
  ASSERT_EQ(texture->LockRect(level, &locked, nullptr, 0), D3D_OK);
  for (UINT y = 0; y < desc.Height; ++y) {
    uint8_t* row = static_cast<uint8_t*>(locked.pBits) + static_cast<size_t>(y) * locked.Pitch;
    for (UINT x = 0; x < desc.Width; ++x)
      std::memcpy(row + x * bytes, &texels[y * desc.Width + x], bytes);
  }
  texture->UnlockRect(level);
}

void GlPixelTest::SelectTexture(IDirect3DTexture8* texture) {
  device_->SetTexture(0, texture);
  Select(D3DTA_TEXTURE);
}

void GlPixelTest::Select(DWORD argument) {
  device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
  device_->SetTextureStageState(0, D3DTSS_COLORARG1, argument);
  device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1);
  device_->SetTextureStageState(0, D3DTSS_ALPHAARG1, argument);
}
