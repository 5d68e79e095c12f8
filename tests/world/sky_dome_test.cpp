#include "world/sky_dome.h"

#include <gtest/gtest.h>

#include "device_readback.h"
#include "gfx/d3dx_matrix.h"
#include "gfx/scene_vertex.h"
#include "platform/d3d8/record/recording_backend.h"
#include "recorded_scene.h"
#include "recording_device_test.h"
#include "test_md3.h"

namespace {

class SkyDomeTest : public RecordingDeviceTest {
 protected:
  SkyDomeTest() { folder_.Write("dome.md3", Md3Bytes(TriangleMd3())); }

  SkyDome dome_;
};

TEST_F(SkyDomeTest, CloudPassBlendsFourSlidingGreyLayersThenTheDomeIsDrawnInTheFramesState) {
  ASSERT_TRUE(dome_.Init(device_, "dome.md3"));
  // Greys of one level in all four nibbles: a level of 16 wouldn't fit them.
  for (uint32_t t : LevelTexels(dome_.NoiseLayer(0))) ASSERT_EQ(t, (t & 0xF) * 0x1111);
  D3DXMATRIX world;
  D3DXMatrixScaling(&world, 0.5f, 0.5f, 0.5f);
  device_->SetTransform(D3DTS_WORLD, &world);
  IDirect3DSurface8 *frameTarget = nullptr, *clouds = nullptr;
  device_->GetRenderTarget(&frameTarget);
  dome_.CloudTexture()->GetSurfaceLevel(0, &clouds);
  const Recording& r = RecordScene(device_, [&] { return dome_.Render(device_); });
  ASSERT_EQ(r.draws.size(), 5u);
  EXPECT_EQ(r.targetSwitches, (std::vector<const IDirect3DSurface8*>{clouds, frameTarget}));
  EXPECT_EQ(r.clears.at(0).color, 0x000000FFu);
  EXPECT_EQ(r.clears[0].target, clouds);
  for (size_t i = 0; i < SkyDome::kNoiseLayers; ++i) {
    const RecordedDraw& layer = r.draws[i];
    EXPECT_EQ(layer.textureId, RecordedTextureId(dome_.NoiseLayer(i)));
    EXPECT_EQ(layer.state.world._42, i % 2 == 0 ? -0.0001f : 0.0001f);  // drifted one frame
    EXPECT_EQ(layer.state.Render(D3DRS_ZENABLE), FALSE);
  }
  // The dome: clouds at the vertices' half opacity, in the transforms and depth test the pass
  // found, culling clockwise triangles.
  const RecordedDraw& sky = r.draws[4];
  EXPECT_EQ(sky.textureId, RecordedTextureId(dome_.CloudTexture()));
  EXPECT_EQ(sky.VertexAt<SceneVertex>(1).diffuse, 0x80FFFFFFu);
  EXPECT_EQ(sky.state.world._11, 0.5f);
  EXPECT_EQ(sky.state.Render(D3DRS_ZENABLE), TRUE);
  EXPECT_EQ(sky.state.Render(D3DRS_CULLMODE), D3DCULL_CW);
  EXPECT_EQ(sky.state.Stage(0, D3DTSS_ALPHAARG1), D3DTA_DIFFUSE);
  frameTarget->Release();
  clouds->Release();
}

TEST_F(SkyDomeTest, WithoutADomeNothingIsDrawnOrChangedAndModelsWithoutOneAreRefused) {
  D3DXMATRIX world;
  D3DXMatrixScaling(&world, 0.5f, 0.5f, 0.5f);
  device_->SetTransform(D3DTS_WORLD, &world);
  EXPECT_FALSE(dome_.UpdateClouds(device_));  // no cloud texture to draw into
  EXPECT_TRUE(dome_.Init(device_, nullptr));
  EXPECT_TRUE(dome_.Render(device_));
  device_->GetTransform(D3DTS_WORLD, &world);
  EXPECT_EQ(world._11, 0.5f);
  EXPECT_TRUE(RecordingOf(device_).events.empty());
  TestMd3 noSurface{1, {}}, noFrame = TriangleMd3(), noTriangle = TriangleMd3();
  noFrame.surfaces[0].frames = 0;
  noFrame.surfaces[0].positions.clear();
  noTriangle.surfaces[0].triangles.clear();
  for (const TestMd3* model : {&noSurface, &noFrame, &noTriangle}) {
    folder_.Write("bad.md3", Md3Bytes(*model));
    EXPECT_FALSE(dome_.Init(device_, "bad.md3"));
    EXPECT_FALSE(dome_.Enabled());
  }
  EXPECT_FALSE(dome_.Init(device_, "absent.md3"));
}

}  // namespace
