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
    device_->SetTexture(0, nullptr);  // the texture drawn last is not left behind by the test
    EXPECT_EQ(device_->GetAvailableTextureMem(), kTextureMemoryBytes)
        << "a texture was left behind";
    EXPECT_EQ(device_->Release(), 0u) << "a reference to the device was left behind";
  }

  TestFolder folder_;
  IDirect3DDevice8* device_;
};
