#include "services/frame_timer.h"

#include <gtest/gtest.h>

#include "platform/host.h"

namespace {

// A frame across the wrap of the millisecond counter, then one within the same millisecond: that
// one counts as one millisecond and adds no time.
TEST(FrameTimer, MeasuresAcrossTheCountersWrapAndCountsAnEmptyFrameAsOneMillisecond) {
  host::UseVirtualClock(40, 0xFFFFFFF0u);
  FrameTimer timer;
  host::AdvanceVirtualClock();
  EXPECT_EQ(timer.Update(), 40u);
  EXPECT_EQ(std::pair(timer.lastTime, timer.frameMs), std::pair(0x18u, 40u));
  EXPECT_FLOAT_EQ(timer.frameSeconds, 0.04f);
  EXPECT_EQ(timer.Update(), 0u);
  EXPECT_EQ(std::pair(timer.frameMs, timer.frameSeconds), std::pair(1u, 0.0f));
  EXPECT_FLOAT_EQ(timer.totalSeconds, 0.04f);
  host::UseRealClock();
}

}  // namespace
