#include "services/frame_timer.h"

#include <gtest/gtest.h>

#include "platform/host.h"

namespace {

class FrameTimerTest : public ::testing::Test {
 protected:
  void TearDown() override { host::UseRealClock(); }
};

TEST_F(FrameTimerTest, StartsWithOneMillisecondAndNoTime) {
  host::UseVirtualClock(10, 1234);
  FrameTimer timer;
  EXPECT_EQ(timer.frameMs, 1u);
  EXPECT_EQ(timer.frameSeconds, 0.0f);
  EXPECT_EQ(timer.totalSeconds, 0.0f);
  EXPECT_EQ(timer.lastTime, 1234u);
}

TEST_F(FrameTimerTest, FramesWithinOneMillisecondCountAsOneAndAddNoTime) {
  host::UseVirtualClock(16, 0);
  FrameTimer timer;
  host::AdvanceVirtualClock();
  EXPECT_EQ(timer.Update(), 16u);
  EXPECT_EQ(timer.Update(), 0u);
  EXPECT_EQ(timer.frameMs, 1u);
  EXPECT_EQ(timer.frameSeconds, 0.0f);
  EXPECT_FLOAT_EQ(timer.totalSeconds, 0.016f);
}

TEST_F(FrameTimerTest, MeasuresAcrossTheWrapOfTheMillisecondCounter) {
  host::UseVirtualClock(40, 0xFFFFFFF0u);
  FrameTimer timer;
  host::AdvanceVirtualClock();
  EXPECT_EQ(timer.Update(), 40u);
  EXPECT_EQ(timer.lastTime, 0x18u);
  EXPECT_EQ(timer.frameMs, 40u);
  EXPECT_FLOAT_EQ(timer.frameSeconds, 0.04f);
}

// Five days in, where a sum of float seconds would no longer move by a frame's 20 ms.
TEST_F(FrameTimerTest, TotalIsTheWholeMillisecondsInSecondsHoweverLong) {
  host::UseVirtualClock(20, 0);
  FrameTimer timer;
  host::UseVirtualClock(20, 432000000);
  timer.Update();
  host::AdvanceVirtualClock();
  timer.Update();
  EXPECT_EQ(timer.totalMs, 432000020u);
  EXPECT_EQ(timer.totalSeconds, 432000.03125f);  // the float nearest
}

}  // namespace
