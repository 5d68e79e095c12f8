// The explosion played on the OpenGL backend with the program's own art, seen from the intro's
// closing view over a black scene.
#include <gtest/gtest.h>

#include <string>

#include "effects/explosion_system.h"
#include "gfx/d3dx_matrix.h"
#include "headless_device.h"
#include "region_mean.h"
#include "world/surface_drawing.h"

namespace {

constexpr UINT kSize = 256;

class ExplosionSceneTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    std::string error;
    ASSERT_TRUE(HeadlessDevice::OpenWindow(&error)) << error;
  }
  static void TearDownTestSuite() { HeadlessDevice::CloseWindow(); }

  void SetUp() override {
    ASSERT_TRUE(device_.Create(kSize, kSize, D3DFMT_X8R8G8B8, true));
    // The frame's state when the demo plays the explosion.
    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_CW);
    for (auto filter : {D3DTSS_MINFILTER, D3DTSS_MAGFILTER, D3DTSS_MIPFILTER}) {
      device_->SetTextureStageState(0, filter, D3DTEXF_LINEAR);
    }
    UseTextureColourDiffuseAlpha(device_.Get());
    const D3DXVECTOR3 eye(2.23f, 11.7f, -12.27f), at(0.6f, 7.0f, 0.0f), up(0.0f, 1.0f, 0.0f);
    D3DXMATRIX view, projection;
    D3DXMatrixLookAtLH(&view, &eye, &at, &up);
    D3DXMatrixPerspectiveFovLH(&projection, 0.5235988f, 1.0f, 1.0f, 1000.0f);
    device_->SetTransform(D3DTS_VIEW, &view);
    device_->SetTransform(D3DTS_PROJECTION, &projection);
    const std::string art = std::string(VULCARA_DATA_DIR) + "/textures/";
    ASSERT_TRUE(explosion_.Init((art + "shockwave.bmp").c_str(), (art + "erupdebris.bmp").c_str(),
                                64, device_.Get()));
  }

  // One frame of the given length; whether the explosion drew.
  bool Play(uint32_t elapsedMs) {
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0);
    device_->BeginScene();
    const bool drawn = explosion_.Render(device_.Get(), elapsedMs);
    device_->EndScene();
    EXPECT_EQ(device_->ReadBackBuffer(&frame_), D3D_OK);
    return drawn;
  }

  MeanColour MeanOf(int x0, int y0, int width, int height) const {
    return RegionMean(frame_.rgba, int(frame_.width), x0, y0, width, height);
  }

  HeadlessDevice device_;
  ExplosionSystem explosion_;
  BackBufferImage frame_;
};

TEST_F(ExplosionSceneTest, DebrisBurstsFromTheCraterAndTheRingSpreadsTowardTheHorizon) {
  ASSERT_TRUE(Play(40));
  // The burst glows over the crater; the ring's band crosses the view on both sides of it in
  // its texture's orange, and nothing is added above it.
  EXPECT_GT(MeanOf(90, 90, 70, 90).r, 100.0);
  for (int x0 : {0, 196}) {
    const MeanColour band = MeanOf(x0, 105, 60, 25);
    EXPECT_GT(band.r, 60.0) << x0;
    EXPECT_GT(band.r, band.g + 40) << x0;
    EXPECT_GT(band.g, band.b) << x0;
  }
  EXPECT_LT(MeanOf(0, 0, 256, 60).r, 2.0);
  // A fifth of a second in, the debris has scattered and the ring nears the horizon.
  ASSERT_TRUE(Play(160));
  EXPECT_LT(MeanOf(90, 90, 70, 90).r, 30.0);
  EXPECT_GT(MeanOf(0, 0, 256, 60).r, 20.0);
}

}  // namespace
