#include "effects/particle_system.h"

#include <gtest/gtest.h>

#include <set>

#include "device_readback.h"
#include "recording_device_test.h"
#include "test_bitmap.h"

namespace {

class ParticleSystemTest : public RecordingDeviceTest {
 protected:
  void SetUp() override {
    device_->BeginScene();
    WriteBitmap("puff.bmp", GreyRamp24(4, 4, 3));
  }
  ~ParticleSystemTest() override { particles_.Release(); }

  // Births at a fixed rate with one velocity: no random number is drawn.
  void InitFixed(int32_t rate) {
    const D3DXVECTOR3 velocity(1.0f, 2.0f, 3.0f);
    ASSERT_TRUE(particles_.Init(device_, "puff.bmp", rate, rate, {0.5f, 6.5f, 0.5f}, 2.0f, velocity,
                                velocity));
  }
  DWORD State(D3DRENDERSTATETYPE state) const { return RenderStateOf(device_, state); }

  ParticleSystem particles_;
};

TEST_F(ParticleSystemTest, BirthsFollowTheRateCarryingTheFractionAndStopAtAFullPool) {
  InitFixed(40);
  particles_.Update(2500, true);  // 2 x 40 whole, and 40 x 0.5 from the fraction
  EXPECT_EQ(particles_.LiveCount(), 100);
  particles_.Update(30, true);  // 1.2 births: one, and 0.2 carried
  EXPECT_EQ(particles_.LiveCount(), 101);
  EXPECT_NEAR(particles_.EmitCarry(), 0.2f, 1e-5f);
  particles_.Update(30, false);  // 1.4: the whole one is lost, not saved up
  EXPECT_EQ(particles_.LiveCount(), 101);
  EXPECT_NEAR(particles_.EmitCarry(), 0.4f, 1e-5f);
  InitFixed(1000);
  particles_.Update(1000, true);
  particles_.Update(100, true);  // a hundred more births find no room and are not owed
  EXPECT_EQ(particles_.LiveCount(), ParticleSystem::kPoolSize);
}

TEST_F(ParticleSystemTest, ParticlesDriftFadeToWhiteTransparencyAndDieAtThreeSeconds) {
  InitFixed(1);
  particles_.Update(1000, true);
  particles_.Update(1000, false);
  const Particle& p = particles_.Particles()[0];
  EXPECT_EQ(p.colour, 0x9BFFFFFFu);
  EXPECT_EQ(p.position, D3DXVECTOR3(2.5f, 10.5f, 6.5f));  // velocity x speed 2
  particles_.Update(1900, false);
  EXPECT_EQ(p.colour, 0x00FFFFFFu);  // transparent from 2.55 s, kept until 3
  EXPECT_EQ(particles_.LiveCount(), 1);
  particles_.Update(100, false);
  EXPECT_EQ(particles_.LiveCount(), 0);
}

TEST_F(ParticleSystemTest, BirthsDrawTheirOwnVelocitiesFromTheRange) {
  ASSERT_TRUE(particles_.Init(device_, "puff.bmp", 35, 40, {}, 1.0f, {-0.5f, 1.0f, -0.5f},
                              {0.5f, 1.0f, 0.5f}));
  particles_.Update(1000, true);
  std::set<float> xs, zs;
  for (int i = 0; i < particles_.LiveCount(); ++i) {
    const D3DXVECTOR3& v = particles_.Particles()[i].velocity;
    EXPECT_TRUE(v.x >= -0.5f && v.x <= 0.5f && v.z >= -0.5f && v.z <= 0.5f) << i;
    xs.insert(v.x);
    zs.insert(v.z);
  }
  // Each birth draws its own: the spread is not one value repeated, nor x copied into z.
  EXPECT_GT(xs.size(), 20u);
  EXPECT_NE(xs, zs);
}

TEST_F(ParticleSystemTest, OnePointListAddedWithoutDepthWritesThenSpritesOffAndStatesAsTheyWere) {
  InitFixed(3);
  device_->SetRenderState(D3DRS_POINTSPRITEENABLE, TRUE);
  EXPECT_TRUE(particles_.Render(device_));  // no live particle: nothing drawn
  EXPECT_EQ(State(D3DRS_POINTSPRITEENABLE), FALSE);
  particles_.Update(1000, true);
  device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
  ASSERT_TRUE(particles_.Render(device_));
  const Recording& r = RecordingOf(device_);
  ASSERT_EQ(r.draws.size(), 1u);
  const RecordedDraw& draw = r.draws[0];
  EXPECT_EQ(std::pair(draw.type, draw.primitiveCount), std::pair(D3DPT_POINTLIST, 3u));
  EXPECT_EQ(draw.textureId, RecordedTextureId(particles_.Texture()));
  EXPECT_EQ(draw.VertexAt<ParticleVertex>(2).colour, 0x80808080u);  // newborn: grey, half seen
  EXPECT_EQ(draw.state.Render(D3DRS_ZWRITEENABLE), FALSE);
  EXPECT_EQ(draw.state.Render(D3DRS_DESTBLEND), D3DBLEND_ONE);
  EXPECT_EQ(State(D3DRS_ZWRITEENABLE), TRUE);
  EXPECT_EQ(State(D3DRS_DESTBLEND), D3DBLEND_INVSRCALPHA);
  EXPECT_EQ(State(D3DRS_POINTSCALEENABLE), FALSE);
  ParticleSystem untextured;
  EXPECT_FALSE(untextured.Init(device_, "missing.bmp", 1, 1, {}, 1.0f, {}, {}));
}

}  // namespace
