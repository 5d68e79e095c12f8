#include "app/ambient_sound.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

constexpr float kNoFireYet = std::numeric_limits<float>::infinity();

TEST(AmbientSoundTest, WavesFadeAndWindRisesToFiveUnitsAndFireIsLoudestOverTheBurningCrater) {
  struct Case {
    float height;
    int32_t wind, waves;
  };
  for (const Case& c : {Case{1.7f, -9600, 0}, Case{2.4f, -1800, -200}, Case{3.0f, -1500, -500},
                        Case{5.0f, -500, -1500}}) {
    const AmbientVolumes mix = MixAmbientSound({40.0f, c.height, 40.0f}, kNoFireYet, 100.0f);
    EXPECT_EQ(mix.wind, c.wind) << c.height;
    EXPECT_EQ(mix.waves, c.waves) << c.height;
    EXPECT_FALSE(mix.fire) << c.height;
  }
  const AmbientVolumes high = MixAmbientSound({0.0f, 12.0f, 0.0f}, kNoFireYet, 100.0f);
  EXPECT_FALSE(high.wind || high.waves);  // they keep what they had
  // The fire is loudest over the crater once it has burned six and a half seconds.
  EXPECT_EQ(MixAmbientSound({2.5f, 12.0f, -5.0f}, 30.0f, 40.0f).fire, -1500);
  EXPECT_EQ(MixAmbientSound({0.0f, 12.0f, 0.0f}, 30.0f, 40.0f).fire, 0);
  EXPECT_EQ(MixAmbientSound({-7.5f, 12.0f, 0.25f}, 30.0f, 40.0f).fire, -1550);
  EXPECT_FALSE(MixAmbientSound({10.0f, 12.0f, 0.0f}, 30.0f, 40.0f).fire);  // the edge: unchanged
  EXPECT_FALSE(MixAmbientSound({0.0f, 12.0f, 0.0f}, 30.0f, 36.5f).fire);
  EXPECT_FALSE(MixAmbientSound({0.0f, 12.0f, 0.0f}, kNoFireYet, 40.0f).fire);
}

}  // namespace
