#pragma once
// A test run in a fresh folder with a recording device, which no reference may outlive: the
// fixture's own members are gone by the time it lets go of the device.
#include <gtest/gtest.h>

#include "platform/d3d8/record/recording_backend.h"
#include "test_folder.h"

class RecordingDeviceTest : public ::testing::Test {
 protected:
  explicit RecordingDeviceTest(UINT width = 64, UINT height = 64)
      : device_(CreateRecordingDevice(width, height)) {}
  ~RecordingDeviceTest() override {
    // What was drawn last is not left behind by the test.
    device_->SetTexture(0, nullptr);
    device_->SetStreamSource(0, nullptr, 0);
    device_->SetIndices(nullptr, 0);
    EXPECT_EQ(device_->GetAvailableTextureMem(), kTextureMemoryBytes)
        << "a texture was left behind";
    DeviceCounters counters;
    device_->Present(nullptr, nullptr, nullptr, nullptr);
    device_->GetCounters(&counters);
    EXPECT_EQ(counters.liveBuffers, 0u) << "a buffer was left behind";
    EXPECT_EQ(device_->Release(), 0u) << "a reference to the device was left behind";
  }

  TestFolder folder_;
  IDirect3DDevice8* device_;
};
