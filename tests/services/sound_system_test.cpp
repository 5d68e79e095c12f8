// The sound system heard through SDL's disk audio driver, which writes what it mixes to a file.
#include "services/sound_system.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <memory>
#include <tuple>

#include "disk_audio.h"
#include "patched.h"
#include "platform/audio.h"
#include "platform/host.h"
#include "test_folder.h"

namespace {

constexpr int kRate = DiskAudio::kRate;

class SoundSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(sound_->Init(nullptr)); }
  void TearDown() override { host::Stop(); }

  // Opens the sound again as a run that records a video does: its sound is mixed offline too.
  void StartRecordingRun() {
    sound_.reset();
    RunDescription run;
    run.headless = true;
    run.videoFile = "show.mp4";
    std::string error;
    ASSERT_TRUE(host::Start(std::move(run), &error)) << error;
    sound_ = std::make_unique<SoundSystem>();
    ASSERT_TRUE(sound_->Init(nullptr));
  }

  // Closes the sound system and returns everything it mixed.
  std::vector<int16_t> Heard() {
    sound_.reset();
    return audio_.LeftChannel();
  }

  TestFolder folder_;
  DiskAudio audio_;
  std::unique_ptr<SoundSystem> sound_ = std::make_unique<SoundSystem>();
};

// Two looped instances of one sound, summed: the volume set before they start applies from the
// first buffer, a change at once, each exact to half a decibel; a stop ends both.
TEST_F(SoundSystemTest, VolumesApplyFromTheFirstBufferAndAStopEndsEveryInstance) {
  const int loopFrames = kRate / 20;
  folder_.Write("tone.wav", ConstantWav(10000, loopFrames));
  ASSERT_TRUE(sound_->Load("tone.wav", "tone"));
  ASSERT_TRUE(sound_->SetVolume("tone", -600));
  ASSERT_TRUE(sound_->Play("tone", true));
  ASSERT_TRUE(sound_->Play("tone", true));
  audio_.MixFor(0.15);
  ASSERT_TRUE(sound_->SetVolume("tone", -4000));
  audio_.MixFor(0.15);
  ASSERT_TRUE(sound_->Stop("tone"));
  audio_.MixFor(0.15);
  ASSERT_TRUE(sound_->Play("tone", true));  // on a voice that played it before
  audio_.MixFor(0.15);
  const std::vector<int16_t> heard = Heard();
  // Each volume held for longer than the looped file lasts: -6 dB halves the amplitude, -40 dB
  // is a hundredth; the stop leaves silence, and one instance plays at the volume alone.
  for (const auto& [instances, volume] : {std::pair{2, -600}, {2, -4000}, {0, 0}, {1, -4000}}) {
    const double expected = instances * 10000 * std::pow(10.0, volume / 2000.0);
    const auto near = [&](int16_t s) {  // within 0.5 dB, or silent
      return expected == 0 ? s == 0 : std::abs(20 * std::log10(s / expected)) <= 0.5;
    };
    EXPECT_GT(std::count_if(heard.begin(), heard.end(), near), 2 * loopFrames) << volume;
  }
  EXPECT_LE(*std::max_element(heard.begin(), heard.end()), 10100);
}

// The blast with everything around it at full volume: the mixed sum would pass full scale.
TEST_F(SoundSystemTest, TheLoudestMomentIsLimitedBelowFullScaleWithoutAClippedSample) {
  for (const auto& [file, name] : {std::pair{"rumble.wav", "rumble"},
                                   {"explosion.wav", "explosion"},
                                   {"shorewav.wav", "waves"},
                                   {"seawind.wav", "wind"}}) {
    ASSERT_TRUE(sound_->Load((std::string(VULCARA_DATA_DIR) + "/sound/" + file).c_str(), name));
    ASSERT_TRUE(sound_->Play(name, false));
  }
  audio_.MixFor(1.0);
  const std::vector<int16_t> heard = Heard();
  ASSERT_GT(heard.size(), size_t(kRate * 0.9));
  const auto [low, high] = std::minmax_element(heard.begin(), heard.end());
  const int loudest = std::max(-int(*low), int(*high));
  EXPECT_LE(loudest, 29203);  // -1 dBFS
  EXPECT_GT(loudest, 26000);  // loud enough for the limiter to have worked
}

// A recording's sound, mixed a frame of 20 ms at a time at the sounds' own levels: a start, a
// volume (-96 dB silent) or a stop counts from the next frame, a loop plays on past its end, a
// sound ends inside a frame, and one started on a stopped sound's voice plays from its start. Of
// two sounds of one name, the first is played.
TEST_F(SoundSystemTest, TheOfflineMixAppliesStartsVolumesAndStopsFromTheNextFrame) {
  StartRecordingRun();
  constexpr int kFrame = kRate / 50;
  folder_.Write("loop.wav", ConstantWav(8000, kRate / 30));
  folder_.Write("once.wav", ConstantWav(6000, 3 * kFrame / 2));
  ASSERT_TRUE(sound_->Load("loop.wav", "loop") && sound_->Load("once.wav", "once"));
  ASSERT_TRUE(sound_->Load("once.wav", "loop"));
  std::vector<int16_t> ends;  // each frame's last sample, past the limiter's look-ahead
  const auto mix = [&](int frames) {
    for (int i = 0; i < frames; ++i) {
      int16_t frame[2 * kFrame];
      audio::MixOffline(frame, kFrame);
      ends.push_back(frame[2 * kFrame - 2]);
    }
  };
  mix(1);
  sound_->Play("loop", true);
  mix(2);
  sound_->SetVolume("loop", -600);
  sound_->Play("once", false);
  mix(3);
  sound_->SetVolume("loop", -9600);
  mix(1);
  sound_->Play("once", false);
  sound_->Stop("loop");
  sound_->SetVolume("loop", 0);
  mix(1);
  sound_->Play("once", false);
  mix(2);
  const double loopAtMinus6 = 8000 * std::pow(10.0, -600 / 2000.0);
  const double expected[] = {0,    8000, 8000, loopAtMinus6 + 6000, loopAtMinus6, loopAtMinus6, 0,
                             6000, 6000, 0};
  ASSERT_EQ(ends.size(), std::size(expected));
  for (size_t i = 0; i < ends.size(); ++i) EXPECT_NEAR(ends[i], expected[i], 50) << i;
}

// Where a mix of steady sounds changes level (by more than 1 %), and the level it changes to.
std::vector<std::pair<size_t, int16_t>> Plateaus(const std::vector<int16_t>& samples) {
  std::vector<std::pair<size_t, int16_t>> plateaus = {{0, 0}};
  for (size_t i = 0; i < samples.size(); ++i) {
    if (std::abs(samples[i] - plateaus.back().second) > samples[i] / 100 + 1) {
      plateaus.emplace_back(i, samples[i]);
    }
  }
  return plateaus;
}

// The offline mix, pulled a frame at a time up to where the output has got to before each change,
// against the output itself: the same levels within half a decibel, each change within a frame.
TEST_F(SoundSystemTest, TheOfflineMixSoundsAsTheLiveOutputDoes) {
  // Slow buffers, so that each change lands in the buffer after the one last written, even when
  // a busy machine keeps this thread waiting for a while.
  setenv("SDL_DISKAUDIODELAY", "200", 1);
  StartRecordingRun();
  unsetenv("SDL_DISKAUDIODELAY");
  folder_.Write("loop.wav", ConstantWav(8000, kRate / 10));
  folder_.Write("once.wav", ConstantWav(6000, kRate / 5 + 77));
  ASSERT_TRUE(sound_->Load("loop.wav", "loop") && sound_->Load("once.wav", "once"));
  constexpr int kFrame = kRate / 50;
  std::vector<int16_t> offline;
  const auto catchUpAfter = [&](double seconds) {
    for (audio_.MixFor(seconds); offline.size() < audio_.MixedFrames();) {
      int16_t frame[2 * kFrame];
      audio::MixOffline(frame, kFrame);
      for (int i = 0; i < kFrame; ++i) offline.push_back(frame[2 * i]);
    }
  };
  catchUpAfter(0.1);
  sound_->Play("loop", true);
  catchUpAfter(0.2);
  sound_->SetVolume("loop", -600);
  sound_->Play("once", false);
  catchUpAfter(0.3);
  sound_->Stop("loop");
  catchUpAfter(0.1);
  // Silence, the loop, the loop quieter with the other sound, the loop alone, silence; timed
  // from the first sound's start, as the file holds back the output's last buffer.
  const auto live = Plateaus(Heard()), mixed = Plateaus(offline);
  ASSERT_EQ(live.size(), 5u);
  ASSERT_EQ(mixed.size(), 5u);
  for (size_t i = 1; i < live.size(); ++i) {
    const double liveAt = double(live[i].first - live[1].first);
    EXPECT_LE(std::abs(liveAt - double(mixed[i].first - mixed[1].first)), kFrame) << i;
    EXPECT_NEAR(20 * std::log10((live[i].second + 1e-9) / (mixed[i].second + 1e-9)), 0, 0.5);
  }
}

TEST_F(SoundSystemTest, AbsentNamesAndFilesThatAreNotSoundsChangeNothingAndAreNamedOnce) {
  // A good file with an odd-sized chunk, and its pad byte, before the samples.
  std::string good = ConstantWav(1000, 100);
  good.insert(12, std::string("junk\x03\0\0\0abc\0", 12));
  good = Patched(good, 4, uint32_t(good.size() - 8));
  folder_.Write("good.wav", good);
  folder_.Write("truncated.wav", good.substr(0, good.size() - 2));
  folder_.Write("empty.wav", "");
  folder_.Write("silence.wav", ConstantWav(0, 0));
  folder_.Write("garbage.wav", std::string(200, '\x5A'));
  folder_.Write("slow.wav", ConstantWav(1000, 100, 100));  // would grow 220-fold
  folder_.Write("float.wav", WavBytes(3, 1, kRate, 32, std::string(8, '\0')));
  folder_.Write("align0.wav", Patched(ConstantWav(1000, 100), 32, 0, 2));
  folder_.Write("short.wav", Patched(ConstantWav(1000, 100), 16, 14));
  ::testing::internal::CaptureStderr();
  for (const char* file :
       {"truncated.wav", "empty.wav", "silence.wav", "garbage.wav", "slow.wav", "float.wav",
        "align0.wav", "short.wav", "missing.wav", ".", "/dev/zero", "/dev/zero"}) {
    EXPECT_FALSE(sound_->Load(file, "bad")) << file;
  }
  // Each is named with its reason once, /dev/zero too, though it was read twice.
  const std::string err = "\n" + ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 12) << err;
  for (const char* line : {"\nfloat.wav: samples encoded as format 3, not PCM",
                           "\nshort.wav: a format chunk too short"}) {
    EXPECT_TRUE(err.find(line) != std::string::npos && err.find(line) == err.rfind(line)) << err;
  }
  EXPECT_FALSE(sound_->Play("bad", false));
  EXPECT_FALSE(sound_->SetVolume("bad", 0));
  EXPECT_FALSE(sound_->Stop("bad"));
  // The table keeps its own copy of the name.
  std::string name = "good";
  ASSERT_TRUE(sound_->Load("good.wav", name.c_str()));
  name = "gone";
  EXPECT_TRUE(sound_->Play("good", false));
  EXPECT_FALSE(sound_->Play("Good", false));
  // One sound system at a time owns the output.
  SoundSystem second;
  EXPECT_FALSE(second.Init(nullptr));
}

// Sparse files of silence, a few bytes on disk: an 8 kHz 8-bit sound within the file cap would
// take eleven times its size in the mixer's format; minutes of sound fill its budget.
TEST_F(SoundSystemTest, SoundsBeyondTheMixersBudgetAreRefusedWithIt) {
  for (const auto& [name, rate, bits, bytes] : {std::tuple{"grows.wav", 8000, 8, 7u << 20},
                                                std::tuple{"minute.wav", kRate, 16, 3u << 20}}) {
    std::string wav = WavBytes(1, 1, rate, bits, "");
    wav.replace(wav.size() - 4, 4, reinterpret_cast<const char*>(&bytes), 4);  // data size
    folder_.Write(name, wav);
    std::filesystem::resize_file(name, wav.size() + bytes);
  }
  ::testing::internal::CaptureStderr();
  EXPECT_FALSE(sound_->Load("grows.wav", "bomb"));
  EXPECT_TRUE(sound_->Load("minute.wav", "first"));
  EXPECT_TRUE(sound_->Load("minute.wav", "second"));
  EXPECT_FALSE(sound_->Load("minute.wav", "third"));
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(err,
            "grows.wav: it takes 77.2 MiB in the mixer's format, more than the 16.0 MiB left of "
            "the 16.0 MiB all sounds may take\n"
            "minute.wav: it takes 6.0 MiB in the mixer's format, more than the 4.0 MiB left of "
            "the 16.0 MiB all sounds may take\n");
  EXPECT_TRUE(sound_->Play("second", false));
}

TEST_F(SoundSystemTest, WithoutAnAudioDeviceTheProgramRunsSilentAndSaysSoOnce) {
  sound_.reset();
  setenv("SDL_AUDIODRIVER", "no-such-driver", 1);  // put back by DiskAudio
  folder_.Write("tone.wav", ConstantWav(1000, 100));
  ::testing::internal::CaptureStderr();
  SoundSystem silent;
  EXPECT_TRUE(silent.Init(nullptr));
  const std::string err = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
  EXPECT_NE(err.find("no audio device"), std::string::npos) << err;
  EXPECT_TRUE(silent.Load("tone.wav", "tone"));
  EXPECT_TRUE(silent.Play("tone", true));
  EXPECT_TRUE(silent.SetVolume("tone", -600));
}

}  // namespace
