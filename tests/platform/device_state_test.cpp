// The device's state model, resources and validation, on the recording backend.
#include <gtest/gtest.h>

#include <bit>

#include "device_readback.h"
#include "recording_device_test.h"
#include "test_vertex.h"

namespace {

class DeviceTest : public RecordingDeviceTest {
 protected:
  DeviceTest() : RecordingDeviceTest(64, 32) {}

  IDirect3DVertexBuffer8* QuadBuffer(UINT vertices) {
    IDirect3DVertexBuffer8* vb = nullptr;
    EXPECT_EQ(device_->CreateVertexBuffer(vertices * sizeof(TestVertex), D3DUSAGE_WRITEONLY,
                                          kTestVertexFormat, D3DPOOL_MANAGED, &vb),
              D3D_OK);
    BYTE* data = nullptr;
    EXPECT_EQ(vb->Lock(0, 0, &data, 0), D3D_OK);
    for (UINT i = 0; i < vertices; ++i) {
      TestVertex v{float(i), 0, 0, 0xFF000000u | i, 0, 0};
      std::memcpy(data + i * sizeof(TestVertex), &v, sizeof v);
    }
    vb->Unlock();
    return vb;
  }
};

TEST_F(DeviceTest, CreationDefaultsAreDirect3DEights) {
  const DWORD one = std::bit_cast<DWORD>(1.0f), zero = 0;
  // What the program draws with without ever setting it.
  const std::pair<D3DRENDERSTATETYPE, DWORD> renderStates[] = {
      {D3DRS_ZENABLE, D3DZB_TRUE},    {D3DRS_ZWRITEENABLE, TRUE}, {D3DRS_ZFUNC, D3DCMP_LESSEQUAL},
      {D3DRS_ALPHATESTENABLE, FALSE}, {D3DRS_POINTSIZE, one},     {D3DRS_POINTSIZE_MIN, zero},
      {D3DRS_POINTSCALE_A, one},      {D3DRS_POINTSCALE_B, zero}, {D3DRS_POINTSCALE_C, zero}};
  for (auto [state, value] : renderStates) EXPECT_EQ(RenderStateOf(device_, state), value) << state;
  const std::tuple<DWORD, D3DTEXTURESTAGESTATETYPE, DWORD> stageStates[] = {
      {0, D3DTSS_COLOROP, D3DTOP_MODULATE}, {0, D3DTSS_ALPHAOP, D3DTOP_SELECTARG1},
      {1, D3DTSS_COLOROP, D3DTOP_DISABLE},  {1, D3DTSS_ALPHAOP, D3DTOP_DISABLE},
      {0, D3DTSS_COLORARG1, D3DTA_TEXTURE}, {0, D3DTSS_COLORARG2, D3DTA_CURRENT},
      {3, D3DTSS_TEXCOORDINDEX, 3}};
  for (auto [stage, type, value] : stageStates) {
    EXPECT_EQ(StageStateOf(device_, stage, type), value) << stage << " " << type;
  }
  D3DVIEWPORT8 viewport{};
  device_->GetViewport(&viewport);
  EXPECT_EQ(std::pair(viewport.Width, viewport.Height), std::pair(64u, 32u));
}

TEST_F(DeviceTest, StatesRoundTripAndInvalidOnesChangeNothing) {
  EXPECT_EQ(device_->SetRenderState(D3DRS_CULLMODE, D3DCULL_NONE), D3D_OK);
  EXPECT_EQ(RenderStateOf(device_, D3DRS_CULLMODE), D3DCULL_NONE);
  EXPECT_EQ(device_->SetTextureStageState(2, D3DTSS_ADDRESSU, D3DTADDRESS_CLAMP), D3D_OK);
  EXPECT_EQ(StageStateOf(device_, 2, D3DTSS_ADDRESSU), D3DTADDRESS_CLAMP);
  DWORD value = 77;
  for (DWORD bad : {0u, 11u, 100u, 999u}) {
    EXPECT_EQ(device_->SetRenderState(static_cast<D3DRENDERSTATETYPE>(bad), 1), D3DERR_INVALIDCALL);
    EXPECT_EQ(device_->GetRenderState(static_cast<D3DRENDERSTATETYPE>(bad), &value),
              D3DERR_INVALIDCALL);
  }
  EXPECT_EQ(value, 77u);
  EXPECT_EQ(device_->SetTextureStageState(8, D3DTSS_COLOROP, 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->SetTextureStageState(0, static_cast<D3DTEXTURESTAGESTATETYPE>(12), 1),
            D3DERR_INVALIDCALL);
  const D3DMATRIX m{};
  EXPECT_EQ(device_->SetTransform(static_cast<D3DTRANSFORMSTATETYPE>(1), &m), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->SetVertexShader(D3DFVF_DIFFUSE), D3DERR_INVALIDCALL);  // no position
}

TEST_F(DeviceTest, SurfacesAndBindingsHoldReferences) {
  IDirect3DTexture8* texture = nullptr;
  ASSERT_EQ(device_->CreateTexture(8, 8, 0, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED, &texture), D3D_OK);
  EXPECT_EQ(texture->GetLevelCount(), 4u);
  IDirect3DSurface8* level = nullptr;
  ASSERT_EQ(texture->GetSurfaceLevel(2, &level), D3D_OK);
  EXPECT_EQ(texture->AddRef(), 3u);  // ours, the surface's, this one
  texture->Release();
  level->Release();

  device_->SetTexture(0, texture);
  uint64_t id = RecordedTextureId(texture);
  EXPECT_EQ(texture->Release(), 1u);  // the device still holds it
  device_->SetTexture(0, texture);    // bound again while the device's is the only reference
  EXPECT_TRUE(RecordingOf(device_).destroyedTextures.empty());
  device_->SetTexture(0, nullptr);
  EXPECT_EQ(RecordingOf(device_).destroyedTextures, std::vector<uint64_t>{id});

  IDirect3DVertexBuffer8* vb = QuadBuffer(3);
  IDirect3DIndexBuffer8* ib = nullptr;
  ASSERT_EQ(device_->CreateIndexBuffer(6, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib), D3D_OK);
  device_->SetStreamSource(0, vb, sizeof(TestVertex));
  device_->SetIndices(ib, 0);
  vb->Release();
  ib->Release();
  device_->SetStreamSource(0, vb, sizeof(TestVertex));
  device_->SetIndices(ib, 0);
  EXPECT_TRUE(RecordingOf(device_).destroyedBuffers.empty());
  device_->SetStreamSource(0, nullptr, 0);
  device_->SetIndices(nullptr, 0);
  EXPECT_EQ(RecordingOf(device_).destroyedBuffers.size(), 2u);

  IDirect3DSurface8* backBuffer = nullptr;
  ASSERT_EQ(device_->GetRenderTarget(&backBuffer), D3D_OK);
  EXPECT_EQ(device_->AddRef(), 3u);  // the target counts on the device
  device_->Release();
  backBuffer->Release();
}

TEST_F(DeviceTest, TexturesAndBuffersRejectWhatTheyCannotHold) {
  IDirect3DTexture8* t = nullptr;
  auto create = [&](UINT width, UINT levels, DWORD usage, D3DFORMAT format) {
    return device_->CreateTexture(width, 8, levels, usage, format, D3DPOOL_MANAGED, &t);
  };
  EXPECT_EQ(create(0, 1, 0, D3DFMT_A8R8G8B8), D3DERR_INVALIDCALL);
  EXPECT_EQ(create(8, 5, 0, D3DFMT_A8R8G8B8), D3DERR_INVALIDCALL);  // 8 x 8 has four levels
  EXPECT_EQ(create(8, 1, 0, D3DFMT_D16), D3DERR_INVALIDCALL);
  EXPECT_EQ(create(8, 1, D3DUSAGE_RENDERTARGET, D3DFMT_R5G6B5), D3DERR_INVALIDCALL);  // managed
  EXPECT_EQ(create(20000, 1, 0, D3DFMT_R5G6B5), D3DERR_INVALIDCALL);
  EXPECT_EQ(t, nullptr);

  ASSERT_EQ(device_->CreateTexture(4, 2, 1, 0, D3DFMT_R5G6B5, D3DPOOL_MANAGED, &t), D3D_OK);
  D3DLOCKED_RECT locked{};
  ASSERT_EQ(t->LockRect(0, &locked, nullptr, 0), D3D_OK);
  EXPECT_EQ(locked.Pitch, 8);
  EXPECT_EQ(t->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);  // already locked
  EXPECT_EQ(t->UnlockRect(0), D3D_OK);
  RECT outside{2, 0, 5, 1};
  EXPECT_EQ(t->LockRect(0, &locked, &outside, 0), D3DERR_INVALIDCALL);
  t->Release();

  ASSERT_EQ(
      device_->CreateTexture(8, 8, 1, D3DUSAGE_RENDERTARGET, D3DFMT_R5G6B5, D3DPOOL_DEFAULT, &t),
      D3D_OK);
  EXPECT_EQ(t->LockRect(0, &locked, nullptr, 0), D3DERR_INVALIDCALL);  // GPU only
  t->Release();

  IDirect3DVertexBuffer8* vb = nullptr;
  ASSERT_EQ(device_->CreateVertexBuffer(100, 0, kTestVertexFormat, D3DPOOL_MANAGED, &vb), D3D_OK);
  BYTE* data = nullptr;
  EXPECT_EQ(vb->Lock(90, 20, &data, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(vb->Lock(100, 0, &data, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(vb->Lock(90, 0, &data, D3DLOCK_DISCARD), D3D_OK);
  vb->Unlock();
  vb->Release();
  IDirect3DIndexBuffer8* ib = nullptr;
  EXPECT_EQ(device_->CreateIndexBuffer(64, 0, static_cast<D3DFORMAT>(102), D3DPOOL_MANAGED, &ib),
            D3DERR_NOTAVAILABLE);
}

TEST_F(DeviceTest, DrawsAreCheckedAgainstTheirBuffersAndUserPointerDrawsUnsetTheStream) {
  IDirect3DVertexBuffer8* vb = QuadBuffer(4);
  IDirect3DIndexBuffer8* ib = nullptr;
  ASSERT_EQ(device_->CreateIndexBuffer(12, 0, D3DFMT_INDEX16, D3DPOOL_MANAGED, &ib), D3D_OK);
  BYTE* data = nullptr;
  ib->Lock(0, 0, &data, 0);
  const uint16_t indices[6] = {0, 1, 2, 0, 2, 3};
  std::memcpy(data, indices, sizeof indices);
  ib->Unlock();
  device_->SetVertexShader(kTestVertexFormat);
  device_->SetStreamSource(0, vb, sizeof(TestVertex));
  device_->SetIndices(ib, 0);

  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3DERR_INVALIDCALL);  // no scene
  device_->BeginScene();
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2), D3D_OK);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLESTRIP, 1, 2), D3DERR_INVALIDCALL);  // past end
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2), D3D_OK);
  EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 3, 2), D3DERR_INVALIDCALL);
  device_->SetIndices(ib, 1);  // base vertex 1 puts index 3 past the buffer
  EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 4, 0, 2), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->DrawIndexedPrimitive(D3DPT_TRIANGLELIST, 0, 3, 0, 1), D3D_OK);
  // A draw from the program's memory unsets the stream.
  TestVertex fan[4] = {};
  EXPECT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, fan, sizeof(TestVertex)), D3D_OK);
  EXPECT_EQ(device_->DrawPrimitive(D3DPT_TRIANGLELIST, 0, 1), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->DrawPrimitiveUP(D3DPT_TRIANGLEFAN, 2, fan, 12), D3DERR_INVALIDCALL);
  device_->EndScene();
  device_->Present(nullptr, nullptr, nullptr, nullptr);

  const Recording& r = RecordingOf(device_);
  ASSERT_EQ(r.draws.size(), 4u);
  EXPECT_EQ(r.draws[1].indices, std::vector<uint16_t>(indices, indices + 6));
  EXPECT_EQ(r.draws[2].firstVertex, 1u);
  EXPECT_EQ(r.draws[2].VertexAt<TestVertex>(0).x, 1.0f);  // index 0 names vertex base + 0
  EXPECT_TRUE(r.draws[3].userPointer);
  vb->Release();  // the device no longer holds it
  EXPECT_EQ(r.destroyedBuffers.size(), 1u);
  ib->Release();
}

TEST_F(DeviceTest, RenderTargetsResetTheViewportAndLimitDepthClears) {
  IDirect3DTexture8* target = nullptr;
  ASSERT_EQ(device_->CreateTexture(16, 16, 1, D3DUSAGE_RENDERTARGET, D3DFMT_R5G6B5, D3DPOOL_DEFAULT,
                                   &target),
            D3D_OK);
  IDirect3DSurface8 *level = nullptr, *backBuffer = nullptr, *depth = nullptr;
  target->GetSurfaceLevel(0, &level);
  device_->GetRenderTarget(&backBuffer);
  device_->GetDepthStencilSurface(&depth);
  ASSERT_EQ(device_->SetRenderTarget(level, nullptr), D3D_OK);
  D3DVIEWPORT8 viewport{};
  device_->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, 16u);
  EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3DERR_INVALIDCALL);
  EXPECT_EQ(device_->Clear(0, nullptr, D3DCLEAR_TARGET, 0x123456, 1.0f, 0), D3D_OK);
  ASSERT_EQ(device_->SetRenderTarget(backBuffer, depth), D3D_OK);
  device_->GetViewport(&viewport);
  EXPECT_EQ(viewport.Width, 64u);
  const D3DRECT partial{-10, 4, 8, 100};
  EXPECT_EQ(device_->Clear(1, &partial, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0, 1.0f, 0), D3D_OK);

  const Recording& r = RecordingOf(device_);
  ASSERT_EQ(r.clears.size(), 2u);
  EXPECT_EQ(r.clears[0].target, level);
  EXPECT_EQ(r.clears[0].area.x2, 16);
  EXPECT_EQ(r.clears[1].area.x1, 0);  // clipped to the viewport
  EXPECT_EQ(r.clears[1].area.y2, 32);
  EXPECT_EQ(r.targetSwitches, (std::vector<const IDirect3DSurface8*>{level, backBuffer}));
  level->Release();
  backBuffer->Release();
  depth->Release();
  target->Release();
}

TEST(DeviceLifetime, ResourcesMayOutliveTheirDevice) {
  IDirect3DDevice8* device = CreateRecordingDevice(8, 8);
  IDirect3DTexture8* texture = nullptr;
  IDirect3DVertexBuffer8* vb = nullptr;
  ASSERT_EQ(device->CreateTexture(4, 4, 1, 0, D3DFMT_A8R8G8B8, D3DPOOL_MANAGED, &texture), D3D_OK);
  ASSERT_EQ(device->CreateVertexBuffer(48, 0, 0, D3DPOOL_MANAGED, &vb), D3D_OK);
  device->SetTexture(0, texture);
  device->SetStreamSource(0, vb, 24);
  EXPECT_EQ(device->Release(), 0u);  // unbinds; the program's references remain
  D3DLOCKED_RECT locked{};
  EXPECT_EQ(texture->LockRect(0, &locked, nullptr, 0), D3D_OK);
  EXPECT_EQ(texture->UnlockRect(0), D3D_OK);
  EXPECT_EQ(texture->Release(), 0u);
  EXPECT_EQ(vb->Release(), 0u);
}

}  // namespace
