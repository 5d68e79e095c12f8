// The show's script on the recording device, its clock set frame by frame as the frame timer
// would, with the program's own font and fire palette.
#include "effects/demo_play_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "console/bitmap_font.h"
#include "device_readback.h"
#include "disk_audio.h"
#include "drawn_quad.h"
#include "effects/explosion_system.h"
#include "effects/particle_system.h"
#include "platform/d3d8/record/recording_backend.h"
#include "services/frame_timer.h"
#include "services/sound_system.h"
#include "test_bitmap.h"
#include "test_folder.h"
#include "world/volcano_terrain.h"

namespace {

constexpr float kStep = 0.02f;

class DemoPlaySystemTest : public ::testing::Test {
 protected:
  void SetUp() override {
    for (const char* folder : {"font", "misc"}) {
      std::filesystem::copy(std::filesystem::path(VULCARA_DATA_DIR) / folder, folder);
    }
    std::filesystem::create_directory("textures");
    WriteBitmap("textures/volcanoh24.bmp", GreyRamp24(4, 4, 2));
    for (const char* name : {"volcanotex", "lava", "lavastream", "smoke", "erupdebris"}) {
      WriteBitmap(std::string("textures/") + name + ".bmp", GreyRamp24(4, 4, 9));
    }
    device_ = CreateRecordingDevice(800, 600);
    ASSERT_TRUE(font_.Load("font\\FONT_8", 0xF0B0, device_));
    ASSERT_TRUE(smoke_.Init(device_, "textures\\smoke.bmp", 35, 40, D3DXVECTOR3(0.5f, 6.5f, 0.5f),
                            1.0f, D3DXVECTOR3(-0.5f, 1.0f, -0.5f), D3DXVECTOR3(0.5f, 1.0f, 0.5f)));
    ASSERT_TRUE(terrain_->Generate("textures\\volcanoh24.bmp", "textures\\volcanotex.bmp", 5, 5,
                                   15.0f, device_));
    ASSERT_TRUE(explosion_.Init("none.bmp", "textures\\erupdebris.bmp", 64, device_));
    ASSERT_TRUE(sound_->Init(nullptr));
    ASSERT_TRUE(
        demo_->Init(&timer_, &font_, &explosion_, &smoke_, terrain_.get(), sound_.get(), device_));
    // The program's base blending, which every pass must leave as it found it.
    device_->SetRenderState(D3DRS_ALPHABLENDENABLE, TRUE);
    device_->SetRenderState(D3DRS_SRCBLEND, D3DBLEND_SRCALPHA);
    device_->SetRenderState(D3DRS_DESTBLEND, D3DBLEND_INVSRCALPHA);
    device_->BeginScene();
  }
  void TearDown() override {
    demo_.reset();
    device_->Release();
  }

  // One frame of the show at demo time t, dt after the previous one.
  const Recording& Frame(float t, float dt = kStep) {
    timer_.totalSeconds = t;
    timer_.frameSeconds = dt;
    timer_.frameMs = static_cast<uint32_t>(std::lround(dt * 1000));
    RecordingOf(device_).Reset();
    demo_->PlayFrame(device_, &move_, 0.0f, 0.0f);
    return RecordingOf(device_);
  }

  // Frames every kStep from t up to, not including, end.
  void Run(float t, float end) {
    for (int i = 0; t + i * kStep < end; ++i) Frame(t + i * kStep);
  }

  // A key pressed and up again before the first frame from 35 s on: the fire phase starts at 35,
  // and that frame still shows the intro's key caption, which hands over from the next.
  void PressKey() {
    demo_->SetKeyDown(true);
    demo_->SetKeyDown(false);
    EXPECT_EQ(Glyphs(Frame(35.0f)), 25u);
    ASSERT_EQ(demo_->FireStartTime(), 35.0f);
  }

  static size_t Glyphs(const Recording& frame) {
    return std::count_if(frame.draws.begin(), frame.draws.end(),
                         [](const RecordedDraw& d) { return d.type == D3DPT_TRIANGLESTRIP; });
  }

  // Where each caption line of the frame starts, top line first: its first glyph's left edge,
  // to the pixel.
  static std::vector<float> CaptionLefts(const Recording& frame) {
    std::map<float, float> leftByTop;
    for (const RecordedDraw& d : frame.draws) {
      if (d.type != D3DPT_TRIANGLESTRIP) continue;
      const DrawnQuad quad = DrawnQuadOf(d);
      leftByTop.try_emplace(quad.top, std::round(quad.left));
    }
    std::vector<float> lefts;
    for (const auto& [top, left] : leftByTop) lefts.push_back(left);
    return lefts;
  }

  std::vector<const RecordedDraw*> DrawsWith(const Recording& frame, IDirect3DTexture8* texture) {
    std::vector<const RecordedDraw*> found;
    for (const RecordedDraw& d : frame.draws) {
      if (d.textureId == RecordedTextureId(texture)) found.push_back(&d);
    }
    return found;
  }

  TestFolder folder_;
  IDirect3DDevice8* device_ = nullptr;
  FrameTimer timer_;
  BitmapFont font_;
  ParticleSystem smoke_;
  std::unique_ptr<VolcanoTerrain> terrain_ = std::make_unique<VolcanoTerrain>();
  ExplosionSystem explosion_;
  DiskAudio audio_;  // before the sound system opens its output
  std::unique_ptr<SoundSystem> sound_ = std::make_unique<SoundSystem>();
  std::unique_ptr<DemoPlaySystem> demo_ = std::make_unique<DemoPlaySystem>();
  D3DXVECTOR3 move_{0.0f, 0.0f, 0.0f};
};

void ExpectNear(const D3DXVECTOR3& v, float x, float y, float z, float within) {
  EXPECT_NEAR(v.x, x, within);
  EXPECT_NEAR(v.y, y, within);
  EXPECT_NEAR(v.z, z, within);
}

// Each caption from its leg's start up to, not including, its end; the key's two lines from 35 s.
// Captions stand in whole cells about the middle of an 800-pixel view: 40 pixels a character.
TEST_F(DemoPlaySystemTest, IntroCaptionsChangeAtEachLegsInclusiveLowerBound) {
  const struct {
    float t;
    size_t glyphs;
    std::vector<float> lefts;
  } rows[] = {{4.99f, 5, {320}}, {5.0f, 0, {}},  {12.0f, 4, {320}},      {18.0f, 0, {}},
              {25.0f, 5, {320}}, {30.0f, 0, {}}, {35.0f, 25, {160, 160}}};
  for (const auto& row : rows) {
    const Recording& frame = Frame(row.t);
    EXPECT_EQ(Glyphs(frame), row.glyphs) << row.t;
    EXPECT_EQ(CaptionLefts(frame), row.lefts) << row.t;
  }
}

TEST_F(DemoPlaySystemTest, FirePhaseRumblesEruptsBurnsAndThenExplores) {
  const uint64_t smokeId = RecordedTextureId(smoke_.Texture());
  const uint64_t islandId = RecordedTextureId(terrain_->Texture());
  demo_->SetKeyDown(true);  // too early: only a key down from 35 s on starts the fire phase
  Frame(20.0f);
  demo_->SetKeyDown(false);
  PressKey();
  float lowest = 0, highest = 0;
  for (float t = 35.0f + kStep; t <= 37.0f; t += kStep) {
    Frame(t);
    lowest = std::min(lowest, demo_->Shake()._42);
    highest = std::max(highest, demo_->Shake()._42);
  }
  EXPECT_LE(lowest, -0.05f);
  EXPECT_GE(highest, 0.05f);
  EXPECT_GE(lowest, -0.05f - 2.5f * kStep);

  // Blast, and not before: the smoke column turns to lava, and the island shows the lava target.
  const float shakeAfterRumble = demo_->Shake()._42;
  // The textures they replace are freed there and then.
  EXPECT_EQ(Frame(37.02f).destroyedTextures, (std::vector<uint64_t>{smokeId, islandId}));
  EXPECT_EQ(smoke_.Texture(), demo_->LavaTexture());
  EXPECT_EQ(terrain_->Texture(), demo_->LavaTarget());
  // Then fires and captions between 6.5 and 14 seconds after the key, and free flight.
  const struct {
    float sinceKey;
    size_t fires, glyphs;
    bool exploring;
    std::vector<float> captionLefts;
  } rows[] = {{6.5f, 0, 0, false, {}},           {6.52f, 5, 4, false, {320}},
              {10.02f, 5, 29, false, {40, 200}}, {14.0f, 0, 0, false, {}},
              {14.02f, 0, 0, true, {}},          {23.0f, 0, 0, true, {}}};
  float t = 37.02f;
  for (const auto& row : rows) {
    for (; t < 35.0f + row.sinceKey - kStep / 2; t += kStep) Frame(t);
    const Recording& frame = Frame(35.0f + row.sinceKey);
    t += kStep;
    EXPECT_EQ(DrawsWith(frame, demo_->Fires().Fire()->Texture()).size(), row.fires) << row.sinceKey;
    EXPECT_EQ(Glyphs(frame), row.glyphs) << row.sinceKey;
    EXPECT_EQ(CaptionLefts(frame), row.captionLefts) << row.sinceKey;
    EXPECT_EQ(demo_->Exploring(), row.exploring) << row.sinceKey;
    EXPECT_EQ(demo_->Shake()._42, shakeAfterRumble);
  }
  // The lava stops spreading just past half-width 5, about twenty seconds after the blast.
  EXPECT_GT(demo_->LavaScale(), 5.0f);
  EXPECT_LE(demo_->LavaScale(), 5.0f + 0.25f * kStep);

  // Handed-over textures are freed once, by their last holder.
  const uint64_t lava = RecordedTextureId(demo_->LavaTexture());
  const uint64_t target = RecordedTextureId(demo_->LavaTarget());
  device_->SetTexture(0, nullptr);
  const std::vector<uint64_t>& destroyed = RecordingOf(device_).destroyedTextures;
  const auto freed = [&](uint64_t id) {
    return std::count(destroyed.begin(), destroyed.end(), id);
  };
  demo_.reset();
  EXPECT_EQ(freed(lava) + freed(target), 0);
  smoke_.Release();
  terrain_.reset();
  EXPECT_EQ(freed(lava), 1);
  EXPECT_EQ(freed(target), 1);
}

TEST_F(DemoPlaySystemTest, LavaPassAndFiresDrawInTheirOwnTargetAndWorldsAndPutTheFrameBack) {
  PressKey();
  Run(35.0f + kStep, 37.1f);
  D3DXMATRIX world;
  D3DXMatrixTranslation(&world, 0.0f, 0.3f, 0.0f);
  device_->SetTransform(D3DTS_WORLD, &world);
  const Recording& frame = Frame(37.2f, 0.1f);
  IDirect3DSurface8* level = nullptr;
  demo_->LavaTarget()->GetSurfaceLevel(0, &level);
  level->Release();  // the texture keeps it
  ASSERT_EQ(frame.targetSwitches.size(), 2u);
  EXPECT_EQ(frame.targetSwitches[0], level);
  // Afterwards the frame's target, depth test, blending and transforms are as they were.
  EXPECT_EQ(RenderStateOf(device_, D3DRS_ZENABLE), DWORD{D3DZB_TRUE});
  EXPECT_EQ(RenderStateOf(device_, D3DRS_SRCBLEND), DWORD{D3DBLEND_SRCALPHA});
  D3DMATRIX after;
  device_->GetTransform(D3DTS_WORLD, &after);
  EXPECT_EQ(after._42, 0.3f);

  // Five fires, each with its plume; the frame's blending comes back after them too.
  Run(37.2f + kStep, 42.0f);
  const std::vector<const RecordedDraw*> fires =
      DrawsWith(Frame(42.0f), demo_->Fires().Fire()->Texture());
  ASSERT_EQ(fires.size(), 5u);
  // The fire fades to black at its quad's edges: added onto the scene, no square shows.
  const std::vector<uint32_t> texels = LevelTexels(demo_->Fires().Fire()->Texture());
  const auto red = [&](int x, int y) { return texels[size_t(y) * 16 + x] >> 11; };
  for (int i = 0; i < 16; ++i) {
    for (int edge : {red(i, 0), red(i, 14), red(0, i), red(15, i)}) EXPECT_LE(edge, 6) << i;
  }
  for (size_t i = 0; i < 5; ++i) {
    EXPECT_FLOAT_EQ(fires[i]->state.world._41, FireBillboards::kFireCentres[i].x) << i;
    // The plume follows its fire, drawn in the same world.
    const RecordedDraw& smoke = *(fires[i] + 1);
    EXPECT_EQ(0, std::memcmp(&smoke.state.world, &fires[i]->state.world, sizeof(D3DMATRIX)));
  }
  EXPECT_EQ(RenderStateOf(device_, D3DRS_DESTBLEND), DWORD{D3DBLEND_INVSRCALPHA});
}

TEST_F(DemoPlaySystemTest, ExploringCameraStepsOncePerRequestInsideTheBox) {
  Run(0.0f, 35.0f);  // the flight ends over the crater, inside the box
  ExpectNear(demo_->Eye(), 2.23f, 11.7f, -12.27f, 0.05f);
  ExpectNear(demo_->LookAt(), 0.6f, 7.0f, 0.0f, 0.05f);
  PressKey();
  Run(35.0f + kStep, 49.02f);
  const D3DXVECTOR3 eye = demo_->Eye();
  move_ = D3DXVECTOR3(0.0f, 0.0f, 0.1f);
  Frame(49.06f);
  Frame(49.08f);  // no request: no move
  ASSERT_TRUE(demo_->Exploring());
  ExpectNear(demo_->Eye(), eye.x, eye.y, eye.z + 0.1f, 1e-5f);
  for (int i = 0; i < 400; ++i) {
    move_ = D3DXVECTOR3(0.1f, 0.1f, -0.1f);
    Frame(49.12f + i * kStep);
  }
  ExpectNear(demo_->Eye(), 15.0f, 12.0f, -15.0f, 0.0f);
}

TEST_F(DemoPlaySystemTest, RumbleThenBlastAndAFireLoopThatStartsSilent) {
  constexpr int kRate = DiskAudio::kRate;
  const std::pair<const char*, int16_t> tones[] = {
      {"rumble", 1000}, {"explosion", 2000}, {"fire", 4000}};
  for (const auto& [name, value] : tones) {
    folder_.Write(std::string(name) + ".wav", ConstantWav(value, 10 * kRate));
    ASSERT_TRUE(sound_->Load((std::string(name) + ".wav").c_str(), name));
  }
  PressKey();
  Frame(35.02f);  // the rumble at -8 dB
  audio_.MixFor(0.2);
  Run(35.04f, 37.04f);  // the blast raises the rumble to full
  audio_.MixFor(0.2);
  Run(37.04f, 41.54f);  // the fire loop starts, silent
  audio_.MixFor(0.2);
  sound_->SetVolume("fire", 0);  // as the ambient mix does near the crater
  audio_.MixFor(0.2);
  sound_.reset();
  const std::vector<int16_t> heard = audio_.LeftChannel();
  const auto firstOf = [&](int16_t value) { return std::find(heard.begin(), heard.end(), value); };
  const auto rumble = firstOf(398), blast = firstOf(3000), fire = firstOf(7000);
  ASSERT_NE(fire, heard.end());
  EXPECT_LT(rumble, blast);
  // Rumble and blast alone for both spells of mixing before the fire is turned up.
  EXPECT_GT(std::count(blast, fire, int16_t{3000}), 0.35 * kRate);
  EXPECT_EQ(std::count(heard.begin(), fire, int16_t{5000}), 0);
}

}  // namespace
