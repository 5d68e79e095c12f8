#include "gfx/render_state_block.h"

#include <gtest/gtest.h>

#include "device_readback.h"
#include "gfx/d3dx_matrix.h"
#include "platform/d3d8/record/recording_backend.h"

namespace {

TEST(RenderStateBlockTest, PutsBackWhatItNamedAndNothingElse) {
  IDirect3DDevice8* device = CreateRecordingDevice(16, 16);
  D3DXMATRIX scaled, view;
  D3DXMatrixScaling(&scaled, 2.0f, 2.0f, 2.0f);
  device->SetTransform(D3DTS_WORLD, &scaled);
  device->SetRenderState(D3DRS_ZWRITEENABLE, FALSE);
  {
    constexpr D3DTEXTURESTAGESTATETYPE kStage[] = {D3DTSS_COLOROP};
    constexpr D3DTRANSFORMSTATETYPE kWorld[] = {D3DTS_WORLD};
    const RenderStateBlock saved(device, kBlendStates, kStage, kWorld);
    D3DXMatrixIdentity(&view);
    device->SetTransform(D3DTS_WORLD, &view);
    device->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_ZERO);
    device->SetRenderState(D3DRS_ZWRITEENABLE, TRUE);
    device->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_ADD);
    device->SetTextureStageState(0, D3DTSS_ALPHAOP, D3DTOP_ADD);
  }
  EXPECT_EQ(RenderStateOf(device, D3DRS_SRCBLEND), D3DBLEND_ONE);
  EXPECT_EQ(RenderStateOf(device, D3DRS_ZWRITEENABLE), TRUE);  // not named: left as the pass set it
  EXPECT_EQ(StageStateOf(device, 0, D3DTSS_COLOROP), D3DTOP_MODULATE);
  EXPECT_EQ(StageStateOf(device, 0, D3DTSS_ALPHAOP), D3DTOP_ADD);
  D3DMATRIX world;
  device->GetTransform(D3DTS_WORLD, &world);
  EXPECT_FLOAT_EQ(world._11, 2.0f);
  device->Release();
}

}  // namespace
