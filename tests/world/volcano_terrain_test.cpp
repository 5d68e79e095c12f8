#include "world/volcano_terrain.h"

#include <gtest/gtest.h>

#include <fstream>

#include "device_readback.h"
#include "gfx/scene_vertex.h"
#include "platform/d3d8/record/recording_backend.h"
#include "recorded_scene.h"
#include "recording_device_test.h"
#include "test_bitmap.h"
#include "world/grid_mesh.h"

namespace {

class VolcanoTerrainTest : public RecordingDeviceTest {
 protected:
  bool Generate(const TestBitmap& map, int extent = 5) {
    WriteBitmap("map.bmp", map);
    return terrain_.Generate("map.bmp", "missing.bmp", extent, extent, 15.0f, device_);
  }

  VolcanoTerrain terrain_;
};

TEST_F(VolcanoTerrainTest, HeightsSumThe24BitChannelsOrScaleThe8BitIndex) {
  TestBitmap map = GreyRamp24(4, 2, 0);
  map.pixels[0] = map.pixels[1] = map.pixels[2] = 255;  // white
  ASSERT_TRUE(Generate(map));
  const std::vector<float>& h = terrain_.Heights();
  ASSERT_EQ(h.size(), 8u);
  EXPECT_NEAR(h[0], 15.0f * 765.0f / 767.0f, 1e-4f);  // white is not quite the full scale
  EXPECT_EQ(terrain_.Texture(), nullptr);             // a missing texture is no failure
  map.bitsPerPixel = 8;
  map.dataOffset = 54 + 1024;
  map.pixels = {255, 0, 51, 0, 0, 0, 0, 0};
  ASSERT_TRUE(Generate(map));
  EXPECT_FLOAT_EQ(terrain_.Heights()[0], 15.0f);
  EXPECT_FLOAT_EQ(terrain_.Heights()[2], 3.0f);
}

TEST_F(VolcanoTerrainTest, GridRunsRowsAlongXAndColumnsDownZ) {
  // Sample a x B + b is the pixel in row a (from the bottom) and column b.
  ASSERT_TRUE(Generate(GreyRamp24(4, 4, 1)));
  const RecordedDraw& draw =
      RecordScene(device_, [&] { return terrain_.Render(device_); }).draws.at(0);
  EXPECT_EQ(std::pair(draw.vertexCount, draw.primitiveCount), std::pair(16u, 18u));
  SceneVertex v = draw.VertexAt<SceneVertex>(1 * 4 + 2);  // a = 1, b = 2
  EXPECT_FLOAT_EQ(v.x, 5.0f * 1 / 3 - 2);
  EXPECT_FLOAT_EQ(v.z, 5.0f * (3 - 2) / 3 - 2);
  EXPECT_NEAR(v.y, 6 * 3 * 0.0013037809f * 15.0f, 1e-5f);
  EXPECT_FLOAT_EQ(v.tu, 1.0f / 3);
  EXPECT_FLOAT_EQ(v.tv, 2.0f / 3);
  // First cell: p, q, s, p, s, r with p = (0,0), q = (0,1), r = (1,0), s = (1,1).
  EXPECT_EQ(std::vector<uint16_t>(draw.indices.begin(), draw.indices.begin() + 6),
            (std::vector<uint16_t>{0, 1, 5, 0, 5, 4}));
}

// A failed draw (nothing generated yet: no buffers) restores them too.
TEST_F(VolcanoTerrainTest, DrawsBlendedFromTheTextureAndRestoresItsStates) {
  device_->SetRenderState(D3DRS_ALPHABLENDENABLE, FALSE);
  device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ONE);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_ZERO);
  device_->BeginScene();
  EXPECT_FALSE(terrain_.Render(device_));
  device_->EndScene();
  EXPECT_TRUE(RecordingOf(device_).draws.empty());
  EXPECT_EQ(RenderStateOf(device_, D3DRS_ALPHABLENDENABLE), FALSE);
  ASSERT_TRUE(Generate(GreyRamp24(4, 4, 1)));
  const PipelineState& s =
      RecordScene(device_, [&] { return terrain_.Render(device_); }).draws.at(0).state;
  EXPECT_EQ(s.Render(D3DRS_ALPHABLENDENABLE), TRUE);
  EXPECT_EQ(s.Render(D3DRS_SRCBLEND), D3DBLEND_SRCALPHA);
  EXPECT_EQ(s.Render(D3DRS_DESTBLEND), D3DBLEND_INVSRCALPHA);
  EXPECT_EQ(s.Stage(0, D3DTSS_COLOROP), D3DTOP_SELECTARG1);
  EXPECT_EQ(s.Stage(0, D3DTSS_ALPHAARG1), D3DTA_DIFFUSE);
  EXPECT_EQ(s.fvf, kSceneVertexFormat);
  EXPECT_EQ(RenderStateOf(device_, D3DRS_ALPHABLENDENABLE), FALSE);
  EXPECT_EQ(RenderStateOf(device_, D3DRS_SRCBLEND), D3DBLEND_ONE);
  EXPECT_EQ(RenderStateOf(device_, D3DRS_DESTBLEND), D3DBLEND_ZERO);
}

// Like the sea plane, but two columns of three rows, so that rows and columns can't be mixed up.
TEST_F(VolcanoTerrainTest, ExplicitGridsTakeTheFirstHeightsInOrder) {
  ASSERT_TRUE(Generate(GreyRamp24(4, 4, 10)));
  IDirect3DVertexBuffer8* vb = nullptr;
  IDirect3DIndexBuffer8* ib = nullptr;
  ASSERT_TRUE(terrain_.BuildGrid(&vb, &ib, 64, 64, 2, 3, 0xFFFFFFFF, device_));
  device_->SetVertexShader(kSceneVertexFormat);
  device_->SetStreamSource(0, vb, sizeof(SceneVertex));
  device_->SetIndices(ib, 0);
  device_->BeginScene();
  device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 6, 0, 4);
  device_->EndScene();
  const RecordedDraw& draw = RecordingOf(device_).draws.at(0);
  EXPECT_EQ(draw.indices, (std::vector<uint16_t>{0, 1, 4, 0, 4, 3, 1, 2, 5, 1, 5, 4}));
  EXPECT_NEAR(draw.VertexAt<SceneVertex>(5).y, 30 * 5 * 0.0013037809f * 15.0f, 1e-5f);
  vb->Release();
  ib->Release();
  EXPECT_FALSE(terrain_.BuildGrid(&vb, &ib, 64, 64, 5, 5, 0xFFFFFFFF, device_));  // 25 > 16
  EXPECT_FALSE(terrain_.BuildGrid(&vb, &ib, 64, 64, 1, 16, 0xFFFFFFFF, device_));
}

// Where grid points lie is judged through the terrain's and the ocean's vertices.
TEST(GridMesh, OnlyAddressableGridsOfAtLeastOneCell) {
  EXPECT_TRUE(IsBuildableGrid(2, 2));
  EXPECT_TRUE(IsBuildableGrid(256, 256));
  EXPECT_FALSE(IsBuildableGrid(1, 100));  // would divide by zero
  EXPECT_FALSE(IsBuildableGrid(257, 256));
  EXPECT_FALSE(IsBuildableGrid(-4, -4));
}

TEST_F(VolcanoTerrainTest, HeightMapsThatDoNotFitTheFileAreRejected) {
  const auto spoilt = [](void (*spoil)(TestBitmap&), int width = 4, int height = 4) {
    TestBitmap map = GreyRamp24(width, height, 1);
    spoil(map);
    return map;
  };
  const TestBitmap maps[] = {
      spoilt([](TestBitmap& m) { m.compression = 1; }),
      spoilt([](TestBitmap& m) { m.bitsPerPixel = 16; }),
      spoilt([](TestBitmap& m) { m.pixels.resize(40); }),  // truncated
      spoilt([](TestBitmap& m) { m.pixels.clear(); }),     // data offset at the end
      spoilt([](TestBitmap& m) { m.height = -4; }),        // top-down
      spoilt([](TestBitmap&) {}, 300, 300),                // more samples than 16-bit indices reach
      spoilt([](TestBitmap&) {}, 1, 16),                   // one column: no cells
  };
  for (const TestBitmap& map : maps) {
    VolcanoTerrain terrain;
    WriteBitmap("bad.bmp", map);
    EXPECT_FALSE(terrain.Generate("bad.bmp", nullptr, 5, 5, 15.0f, device_)) << &map - maps;
  }
  std::ofstream("short.bmp") << "BM";
  EXPECT_FALSE(terrain_.Generate("short.bmp", nullptr, 5, 5, 15.0f, device_));
  EXPECT_FALSE(terrain_.Generate("absent.bmp", nullptr, 5, 5, 15.0f, device_));
}

TEST_F(VolcanoTerrainTest, ReplacedTexturesAreReferencedOnce) {
  IDirect3DTexture8 *first = nullptr, *second = nullptr;
  device_->CreateTexture(4, 4, 1, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &first);
  device_->CreateTexture(4, 4, 1, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &second);
  const std::vector<uint64_t> firstOnly = {RecordedTextureId(first)};
  terrain_.ReplaceTexture(first);
  EXPECT_EQ(first->Release(), 1u);  // the terrain's reference is the only one left
  terrain_.ReplaceTexture(first);   // so the same texture again must not let go of it first
  EXPECT_TRUE(RecordingOf(device_).destroyedTextures.empty());
  terrain_.ReplaceTexture(second);
  EXPECT_EQ(RecordingOf(device_).destroyedTextures, firstOnly);  // the terrain let go of it
  EXPECT_EQ(second->Release(), 1u);  // the terrain's own reference remains
  EXPECT_EQ(terrain_.Texture(), second);
}

}  // namespace
