#include "gfx/render_state_block.h"

#include <gtest/gtest.h>

#include "device_readback.h"
#include "gfx/d3dx_matrix.h"
#include "recording_device_test.h"

namespace {

using RenderStateBlockTest = RecordingDeviceTest;
constexpr D3DTEXTURESTAGESTATETYPE kColourOp[] = {D3DTSS_COLOROP};

TEST_F(RenderStateBlockTest, PutsBackWhatItNamedAndNothingElse) {
  D3DXMATRIX scaled, view;
  D3DXMatrixScaling(&scaled, 2.0f, 2.0f, 2.0f);
  device_->SetTransform(D3DTS_WORLD, &scaled);
  device_->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  {
    constexpr D3DTRANSFORMSTATETYPE kWorld[] = {D3DTS_WORLD};
    const RenderStateBlock saved(device_, kBlendStates, kColourOp, kWorld);
    D3DXMatrixIdentity(&view);
    device_->SetTransform(D3DTS_WORLD, &view);
    device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO);
    device_->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_ADD);
    device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_ADD);
  }
  EXPECT_EQ(RenderStateOf(device_, D3DRS_SRCBLEND), D3DBLEND_ONE);
  EXPECT_EQ(RenderStateOf(device_, D3DRS_ZWRITEENABLE), TRUE);  // not named: as the pass left it
  EXPECT_EQ(StageStateOf(device_, 0, D3DTSS_COLOROP), D3DTOP_MODULATE);
  EXPECT_EQ(StageStateOf(device_, 0, D3DTSS_ALPHAOP), D3DTOP_ADD);
  D3DMATRIX world;
  device_->GetTransform(D3DTS_WORLD, &world);
  EXPECT_FLOAT_EQ(world._11, 2.0f);
}

// Putting back the values the states already have is no change: a block costs nothing.
TEST_F(RenderStateBlockTest, PuttingBackTheSameValuesIsNoChange) {
  const float point[3] = {};
  device_->SetVertexShader(D3DFVF_XYZ);
  device_->BeginScene();
  for (int i = 0; i < 2; ++i) {
    const RenderStateBlock saved(device_, kBlendStates, kColourOp);
    device_->DrawPrimitiveUP(D3DPT_POINTLIST, 1, point, sizeof point);
  }
  const std::vector<RecordedDraw>& draws = RecordingOf(device_).draws;
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[1].state.stateVersion, draws[0].state.stateVersion);
}

}  // namespace
