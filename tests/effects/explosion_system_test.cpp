#include "effects/explosion_system.h"

#include <gtest/gtest.h>

#include "device_readback.h"
#include "gfx/d3dx_matrix.h"
#include "recording_device_test.h"
#include "test_bitmap.h"

namespace {

class ExplosionSystemTest : public RecordingDeviceTest {
 protected:
  void SetUp() override {
    WriteBitmap("ring.bmp", GreyRamp24(4, 4, 3));
    WriteBitmap("debris.bmp", GreyRamp24(4, 4, 5));
    device_->BeginScene();
  }

  std::unique_ptr<ExplosionSystem> explosion_ = std::make_unique<ExplosionSystem>();
};

TEST_F(ExplosionSystemTest, FortyMillisecondFramesDrawFiftyOneTimesAddingAGrowingRing) {
  ASSERT_TRUE(explosion_->Init("ring.bmp", "debris.bmp", 64, device_));
  D3DXMATRIX world;
  D3DXMatrixTranslation(&world, 1.0f, 2.0f, 3.0f);
  device_->SetTransform(D3DTS_WORLD, &world);
  int drawn = 0;
  while (explosion_->Render(device_, 40)) ++drawn;
  EXPECT_EQ(drawn, 51);
  const Recording& r = RecordingOf(device_);
  ASSERT_EQ(r.draws.size(), 2u * 51);             // the debris, then the ring
  EXPECT_EQ(r.draws[100].state.world._41, 1.0f);  // the debris, in the caller's transform
  const RecordedDraw& ring = r.draws[101];
  EXPECT_EQ(ring.primitiveCount, 128u);  // two triangles for each of the 64 segments
  EXPECT_NEAR(ring.state.world._11, 52.0f, 1e-4f);
  EXPECT_EQ(ring.state.Render(D3DRS_CULLMODE), D3DCULL_NONE);
  EXPECT_EQ(ring.state.Render(D3DRS_DESTBLEND), D3DBLEND_ONE);
  // Depth left unwritten: the sea and sky drawn later still fill its band.
  EXPECT_EQ(ring.state.Render(D3DRS_ZWRITEENABLE), FALSE);
  // Afterwards the device is as the caller left it.
  EXPECT_EQ(RenderStateOf(device_, D3DRS_CULLMODE), DWORD(D3DCULL_CCW));
  EXPECT_EQ(RenderStateOf(device_, D3DRS_DESTBLEND), DWORD(D3DBLEND_ZERO));
  EXPECT_EQ(RenderStateOf(device_, D3DRS_ZWRITEENABLE), DWORD(TRUE));
  device_->GetTransform(D3DTS_WORLD, &world);
  EXPECT_EQ(world._41, 1.0f);
}

TEST_F(ExplosionSystemTest, OneLongFirstFrameStillDrawsAnUntexturedRingWhenItsTextureIsMissing) {
  ASSERT_TRUE(explosion_->Init("missing.bmp", "debris.bmp", 64, device_));
  // Three seconds outlive the debris; the ring is drawn, untextured.
  EXPECT_TRUE(explosion_->Render(device_, 3000));
  ASSERT_EQ(RecordingOf(device_).draws.size(), 1u);
  EXPECT_EQ(RecordingOf(device_).draws[0].textureId, 0u);
  EXPECT_FALSE(explosion_->Render(device_, 0));
  EXPECT_EQ(RecordingOf(device_).draws.size(), 1u);
}

}  // namespace
