// Texture creation and loading through the recording device, whose managed textures keep their
// texels where LockRect can read them back.
#include <gtest/gtest.h>

#include <filesystem>

#include "device_readback.h"
#include "gfx/d3dx_texture.h"
#include "image_files.h"
#include "platform/d3d8/record/recording_backend.h"
#include "recording_device_test.h"

namespace {

// Channel-wise mean of four colours, rounded half up.
D3DCOLOR Mean4(D3DCOLOR a, D3DCOLOR b, D3DCOLOR c, D3DCOLOR d) {
  D3DCOLOR mean = 0;
  for (int shift = 0; shift < 32; shift += 8) {
    const uint32_t sum = ((a >> shift) & 0xFF) + ((b >> shift) & 0xFF) + ((c >> shift) & 0xFF) +
                         ((d >> shift) & 0xFF);
    mean |= ((sum + 2) / 4) << shift;
  }
  return mean;
}

// The picture halved by box averages: 2 x 2 blocks, or pairs when it is one row high. Its width
// is even.
std::vector<D3DCOLOR> Halved(const std::vector<D3DCOLOR>& p, uint32_t width, uint32_t height) {
  std::vector<D3DCOLOR> half;
  const size_t down = height > 1 ? width : 0;
  for (uint32_t y = 0; y < height; y += 2) {
    for (uint32_t x = 0; x < width; x += 2) {
      const size_t i = size_t{y} * width + x;
      half.push_back(Mean4(p[i], p[i + 1], p[i + down], p[i + down + 1]));
    }
  }
  return half;
}

class TextureTest : public RecordingDeviceTest {
 protected:
  TextureTest() { std::filesystem::create_directories("textures"); }

  D3DSURFACE_DESC Desc(IDirect3DTexture8* texture, UINT level) {
    D3DSURFACE_DESC desc{};
    EXPECT_EQ(texture->GetLevelDesc(level, &desc), D3D_OK);
    return desc;
  }
};

TEST_F(TextureTest, LoadsTheFileWithAFullChainOfBoxFilteredLevels) {
  const TestPicture picture = SamplePicture(8, 4, 40);
  WriteFileBytes("textures/sample.bmp", BmpFile(picture, 24, RowOrder::kBottomUp));
  IDirect3DTexture8* texture = nullptr;
  ASSERT_EQ(D3DXCreateTextureFromFileA(device_, "textures\\sample.bmp", &texture), D3D_OK);
  ASSERT_EQ(texture->GetLevelCount(), 4u);

  std::vector<D3DCOLOR> expected = picture.Colors();
  uint32_t width = 8, height = 4;
  for (UINT level = 0; level < 4; ++level) {
    SCOPED_TRACE(testing::Message() << "level " << level);
    const D3DSURFACE_DESC desc = Desc(texture, level);
    EXPECT_EQ(std::pair(desc.Width, desc.Height), std::pair(width, height));
    EXPECT_EQ(desc.Format, D3DFMT_X8R8G8B8);
    EXPECT_EQ(LevelTexels(texture, level), expected);
    if (width > 1) expected = Halved(expected, width, height);
    width /= 2, height = std::max(1u, height / 2);
  }
  texture->Release();
  // Odd sizes halve down to one pixel.
  WriteFileBytes("textures/odd.bmp", BmpFile(SamplePicture(5, 3, 9), 8, RowOrder::kTopDown));
  ASSERT_EQ(D3DXCreateTextureFromFileA(device_, "textures\\odd.bmp", &texture), D3D_OK);
  ASSERT_EQ(texture->GetLevelCount(), 3u);
  EXPECT_EQ(Desc(texture, 1).Width, 2u);
  EXPECT_EQ(Desc(texture, 1).Height, 1u);
  EXPECT_EQ(Desc(texture, 2).Width, 1u);
  texture->Release();
}

TEST_F(TextureTest, AlphaInTheFileGivesA8R8G8B8WhateverTheName) {
  TestPicture picture = SamplePicture(4, 2, 8);
  for (size_t i = 0; i < picture.palette.size(); ++i) picture.palette[i].peFlags = BYTE(i * 31);
  // PNG bytes under a BMP name: the contents decide.
  WriteFileBytes("textures/disguised.bmp", PngFile(4, 2, picture.Colors()));
  IDirect3DTexture8* texture = nullptr;
  ASSERT_EQ(D3DXCreateTextureFromFileA(device_, "textures\\disguised.bmp", &texture), D3D_OK);
  EXPECT_EQ(Desc(texture, 0).Format, D3DFMT_A8R8G8B8);
  EXPECT_EQ(LevelTexels(texture, 0), picture.Colors());
  EXPECT_EQ(LevelTexels(texture, 1), Halved(picture.Colors(), 4, 2));
  texture->Release();
}

TEST_F(TextureTest, BrokenOrMissingFilesCreateNothing) {
  const std::string bmp = BmpFile(SamplePicture(8, 8, 4), 4, RowOrder::kBottomUp);
  WriteFileBytes("textures/truncated.bmp", bmp.substr(0, bmp.size() - 1));
  WriteFileBytes("textures/empty.bmp", "");
  WriteFileBytes("textures/good.bmp", bmp);
  auto* const untouched = reinterpret_cast<IDirect3DTexture8*>(0x1234);
  IDirect3DTexture8* texture = untouched;
  for (const char* name : {"textures\\missing.bmp", "textures\\truncated.bmp",
                           "textures\\empty.bmp", "textures", "/dev/zero"}) {
    EXPECT_TRUE(FAILED(D3DXCreateTextureFromFileA(device_, name, &texture))) << name;
    EXPECT_EQ(texture, untouched) << name;
  }
  EXPECT_EQ(D3DXCreateTextureFromFileA(nullptr, "textures\\good.bmp", &texture),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXCreateTextureFromFileA(device_, nullptr, &texture), D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXCreateTextureFromFileA(device_, "textures\\good.bmp", nullptr), D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXCreateTexture(nullptr, 8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture),
            D3DERR_INVALIDCALL);
  EXPECT_EQ(D3DXCreateTexture(device_, 8, 8, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, nullptr),
            D3DERR_INVALIDCALL);
}

// Run-length pictures of a few kilobytes, each row one end-of-line code, that claim large sizes.
TEST_F(TextureTest, PicturesBeyondOneTexturesOrAllTexturesMemoryAreRefusedWithTheBudget) {
  auto blank = [](uint32_t width, uint32_t height) {
    return BmpRleWrap(width, height, {PALETTEENTRY{}}, std::string(2 * height, '\0') + "\0\1");
  };
  WriteFileBytes("textures/huge.bmp", blank(16384, 4096));
  WriteFileBytes("textures/large.bmp", blank(1024, 1024));  // 5.3 MiB with its mip chain
  ::testing::internal::CaptureStderr();
  IDirect3DTexture8* texture = nullptr;
  EXPECT_EQ(D3DXCreateTextureFromFileA(device_, "textures\\huge.bmp", &texture),
            D3DXERR_INVALIDDATA);
  std::vector<IDirect3DTexture8*> loaded;
  while (SUCCEEDED(D3DXCreateTextureFromFileA(device_, "textures\\large.bmp", &texture))) {
    loaded.push_back(texture);
  }
  EXPECT_EQ(loaded.size(), 7u);
  for (IDirect3DTexture8* t : loaded) t->Release();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "textures/huge.bmp: a picture of 16384 x 4096, whose texture takes 341.3 MiB, more "
            "than the 16.0 MiB one texture may take\n"
            "textures/large.bmp: its texture takes 5.3 MiB, more than the 2.7 MiB left of the "
            "40.0 MiB all textures may take\n");
}

}  // namespace
