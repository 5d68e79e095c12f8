#include "gfx/render_state_block.h"

#include <gtest/gtest.h>

#include "device_readback.h"
#include "gfx/d3dx_matrix.h"
#include "recording_device_test.h"

namespace {

using RenderStateBlockTest = RecordingDeviceTest;

TEST_F(RenderStateBlockTest, PutsBackWhatItNamedAndNothingElse) {
  D3DXMATRIX scaled, view;
  D3DXMatrixScaling(&scaled, 2.0f, 2.0f, 2.0f);
  device_->SetTransform(D3DTS_WORLD, &scaled);
  device_->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  {
    constexpr D3DTEXTURESTAGESTATETYPE kStage[] = {D3DTSS_COLOROP};
    constexpr D3DTRANSFORMSTATETYPE kWorld[] = {D3DTS_WORLD};
    const RenderStateBlock saved(device_, kBlendStates, kStage, kWorld);
    D3DXMatrixIdentity(&view);
    device_->SetTransform(D3DTS_WORLD, &view);
    device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO);
    device_->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_ADD);
    device_->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_ADD);
  }
  EXPECT_EQ(RenderStateOf(device_, D3DRS_SRCBLEND), D3DBLEND_ONE);
  EXPECT_EQ(RenderStateOf(device_, D3DRS_ZWRITEENABLE),
            TRUE);  // not named: left as the pass set it
  EXPECT_EQ(StageStateOf(device_, 0, D3DTSS_COLOROP), D3DTOP_MODULATE);
  EXPECT_EQ(StageStateOf(device_, 0, D3DTSS_ALPHAOP), D3DTOP_ADD);
  D3DMATRIX world;
  device_->GetTransform(D3DTS_WORLD, &world);
  EXPECT_FLOAT_EQ(world._11, 2.0f);
}

}  // namespace
