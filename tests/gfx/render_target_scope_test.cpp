#include "gfx/render_target_scope.h"

#include <gtest/gtest.h>

#include "recording_device_test.h"

namespace {

using RenderTargetScopeTest = RecordingDeviceTest;

TEST_F(RenderTargetScopeTest, PutsTheFramesTargetDepthAndViewportBack) {
  IDirect3DTexture8 *target = nullptr, *plain = nullptr;
  device_->CreateTexture(32, 32, 1, D3DUSAGE_RENDERTARGET, D3DFMT_R5G6B5, D3DPOOL_DEFAULT, &target);
  device_->CreateTexture(32, 32, 1, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &plain);
  const D3DVIEWPORT8 frame{8, 8, 40, 40, 0.0f, 1.0f};
  device_->SetViewport(&frame);
  IDirect3DSurface8* depth = nullptr;
  const std::vector<const IDirect3DSurface8*>& switches = RecordingOf(device_).targetSwitches;
  {
    RenderTargetScope scope(device_);
    EXPECT_FALSE(scope.DrawInto(plain));  // not a render target
    EXPECT_TRUE(switches.empty());
    ASSERT_TRUE(scope.DrawInto(target));
    EXPECT_EQ(device_->GetDepthStencilSurface(&depth), D3DERR_NOTFOUND);
  }
  { RenderTargetScope unused(device_); }  // never switched: nothing to put back
  ASSERT_EQ(switches.size(), 2u);
  EXPECT_EQ(device_->GetDepthStencilSurface(&depth), D3D_OK);
  D3DVIEWPORT8 viewport{};
  device_->GetViewport(&viewport);
  EXPECT_EQ(std::pair(viewport.X, viewport.Width), std::pair(8u, 40u));
  depth->Release();
  plain->Release();
  EXPECT_EQ(target->Release(), 0u);  // no reference left behind
}

}  // namespace
