#include "world/ocean_animation.h"

#include <gtest/gtest.h>

#include "gfx/scene_vertex.h"
#include "platform/d3d8/record/recording_backend.h"
#include "recording_device_test.h"
#include "services/random_numbers.h"
#include "test_bitmap.h"

namespace {

class OceanAnimationTest : public RecordingDeviceTest {
 protected:
  OceanAnimationTest() { WriteBitmap("water.bmp", GreyRamp24(4, 4, 3)); }

  bool Build(const char* texture, int extent, int count) {
    return ocean_->Build(texture, 0x800000C8, 1.0f, extent, extent, count, count, 0.5f, 0.2f, 0.5f,
                         device_);
  }

  RecordedDraw DrawOnce(uint32_t elapsedMs) {
    device_->BeginScene();
    EXPECT_TRUE(ocean_->Render(device_, elapsedMs));
    device_->EndScene();
    return RecordingOf(device_).draws.back();
  }

  std::unique_ptr<OceanAnimation> ocean_ = std::make_unique<OceanAnimation>();
};

TEST_F(OceanAnimationTest, LowDetailGridSpansItsExtentWithStretchedWater) {
  ASSERT_TRUE(Build("water.bmp", 25, 10));
  RecordedDraw draw = DrawOnce(0);
  EXPECT_EQ(std::pair(draw.vertexCount, draw.primitiveCount), std::pair(100u, 2u * 9 * 9));
  const VertexMotion& corner = ocean_->Motions().back();  // boxes round the grid at sea level
  EXPECT_FLOAT_EQ((corner.maxX + corner.minX) / 2, 13.0f);
  EXPECT_FLOAT_EQ((corner.maxY + corner.minY) / 2, 1.0f);
  SceneVertex last = draw.VertexAt<SceneVertex>(99);
  EXPECT_FLOAT_EQ(last.tu, 9.0f / 24.0f);  // divided by the extent less one
  EXPECT_NE(draw.textureId, 0u);
  EXPECT_EQ(draw.state.Render(D3DRS_SRCBLEND), D3DBLEND_SRCALPHA);
  EXPECT_EQ(std::vector<uint16_t>(draw.indices.begin(), draw.indices.begin() + 6),
            (std::vector<uint16_t>{0, 1, 11, 0, 11, 10}));
}

TEST_F(OceanAnimationTest, VerticesStayWithinOneStepOfTheirBoxes) {
  SeedRand(1);
  ASSERT_TRUE(Build(nullptr, 48, 32));
  const uint32_t frameMs = 50;
  const float slack = 0.6f * frameMs / 1000.0f + 1e-5f;
  for (int frame = 0; frame < 400; ++frame) {
    ocean_->Animate(frameMs);
    for (const VertexMotion& m : ocean_->Motions()) {
      ASSERT_GE(m.currentX, m.minX - slack);
      ASSERT_LE(m.currentX, m.maxX + slack);
      ASSERT_GE(m.currentY, m.minY - slack);
      ASSERT_LE(m.currentY, m.maxY + slack);
      ASSERT_GE(m.currentZ, m.minZ - slack);
      ASSERT_LE(m.currentZ, m.maxZ + slack);
    }
  }
  // They really move: after 20 s every vertex has bounced across its box.
  RecordedDraw draw = DrawOnce(0);
  SceneVertex v = draw.VertexAt<SceneVertex>(5);
  EXPECT_FLOAT_EQ(v.x, ocean_->Motions()[5].currentX);
}

TEST_F(OceanAnimationTest, RebuildsKeepOneSetOfResourcesAndTheOldWater) {
  ASSERT_TRUE(Build("water.bmp", 48, 32));
  uint64_t water = 0;
  water = DrawOnce(0).textureId;
  for (int i = 0; i < 5; ++i) ASSERT_TRUE(Build("no-such-water.bmp", 25, 10));
  EXPECT_EQ(DrawOnce(0).textureId, water);  // a failed load keeps the texture
  // The device holds what was drawn last; let go of it to count what the ocean holds.
  device_->SetTexture(0, nullptr);
  device_->SetStreamSource(0, nullptr, 0);
  device_->SetIndices(nullptr, 0);
  const Recording& r = RecordingOf(device_);
  EXPECT_EQ(r.destroyedBuffers.size(), 10u);  // each rebuild let go of both old buffers
  EXPECT_TRUE(r.destroyedTextures.empty());
  ASSERT_TRUE(Build("water.bmp", 48, 32));
  EXPECT_EQ(r.destroyedTextures.size(), 1u);  // a successful load replaces it
  ocean_.reset();
  EXPECT_EQ(r.destroyedBuffers.size(), 14u);
}

TEST_F(OceanAnimationTest, GridsThatWouldDivideByZeroAreRefused) {
  EXPECT_FALSE(Build(nullptr, 48, 1));
  EXPECT_FALSE(Build(nullptr, 1, 10));    // texture coordinates divide by extent - 1
  EXPECT_FALSE(Build(nullptr, 48, 300));  // more than 16-bit indices reach
  EXPECT_TRUE(ocean_->Animate(16));       // nothing to move, nothing breaks
}

}  // namespace
