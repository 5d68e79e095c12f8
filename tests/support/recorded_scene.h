#pragma once
// What one scene on a recording device drew: the recording is cleared, `draw` runs between
// BeginScene and EndScene and must succeed, and the recording is handed back.
#include <gtest/gtest.h>

#include "platform/d3d8/record/recording_backend.h"

template <typename Draw>
const Recording& RecordScene(IDirect3DDevice8* device, Draw draw) {
  RecordingOf(device).Reset();
  device->BeginScene();
  EXPECT_TRUE(draw());
  device->EndScene();
  return RecordingOf(device);
}
