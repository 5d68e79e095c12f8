// The sky dome model and the sounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "image_files.h"
#include "tests/tools/assetgen/generated_folder.h"
#include "tools/assetgen/data_folder_writer.h"
#include "world/md3_file.h"

namespace assetgen::tests {

namespace {
// The dome as the program reads it: an MD3 of version 15 with one frame, right after the header,
// and one surface of triangles, ending where the file does. How it covers the sky the show's
// pictures judge.
TEST(AssetgenSkyDome, IsOneFrameAndOneSurfaceEndingWithTheFile) {
  const std::string bytes = ReadFileBytes(GeneratedFile("misc/skydome.md3"));
  constexpr uint32_t kIdp3 = 'I' | 'D' << 8 | 'P' << 16 | '3' << 24;
  Md3File file;
  std::string reason;
  ASSERT_TRUE(
      ReadMd3({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, &file, &reason))
      << reason;
  EXPECT_EQ(std::pair(file.identifier, file.version), std::pair(kIdp3, 15));
  EXPECT_EQ(file.frames.size(), 1u);
  EXPECT_EQ(file.framesAt, 108);
  EXPECT_EQ(static_cast<size_t>(file.endAt), bytes.size());
  ASSERT_EQ(file.surfaces.size(), 1u);
  const Md3SurfaceData& surface = file.surfaces[0];
  EXPECT_EQ(std::pair(surface.header.identifier, surface.header.frameCount), std::pair(kIdp3, 1));
  EXPECT_EQ(file.surfacesAt + surface.header.endAt, file.endAt);
}

double Rms(const std::vector<int16_t>& samples, size_t from, size_t to) {
  double sum = 0;
  for (size_t k = from; k < to; ++k) sum += double(samples[k]) * samples[k];
  return std::sqrt(sum / double(to - from)) / 32768.0;
}

TEST(AssetgenSounds, AreMono16BitAtTheMixRateAndLoudWithoutClipping) {
  for (std::string_view name : kDataFiles) {
    if (!name.ends_with(".wav")) continue;
    GeneratedSound wav{std::string(name)};
    EXPECT_EQ(wav.channels, 1) << name;
    EXPECT_EQ(wav.bitsPerSample, 16) << name;
    EXPECT_EQ(wav.sampleRate, 22050) << name;
    int peak = 0;
    for (int16_t s : wav.samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 16000) << name << " is too quiet";
    EXPECT_LT(peak, 32767) << name << " clips";
  }
}

TEST(AssetgenSounds, LoopsAreSeveralSecondsAndJoinWithoutAClick) {
  for (const char* name : {"seawind.wav", "shorewav.wav", "fire.wav"}) {
    GeneratedSound wav("sound/" + std::string(name));
    EXPECT_GE(wav.Seconds(), 3.0) << name;
    std::vector<int> steps;
    for (size_t k = 1; k < wav.samples.size(); ++k)
      steps.push_back(std::abs(wav.samples[k] - wav.samples[k - 1]));
    std::sort(steps.begin(), steps.end());
    int typical = steps[steps.size() * 99 / 100];
    EXPECT_LE(std::abs(wav.samples.back() - wav.samples.front()), typical) << name;
  }
}

TEST(AssetgenSounds, RumbleRunsTwoToThreeSecondsAndTheBlastEndsInALongLowTail) {
  GeneratedSound rumble("sound/rumble.wav");
  EXPECT_GE(rumble.Seconds(), 2.0);
  EXPECT_LE(rumble.Seconds(), 3.0);

  GeneratedSound blast("sound/explosion.wav");
  ASSERT_GE(blast.Seconds(), 5.0);
  size_t second = blast.sampleRate;
  double start = Rms(blast.samples, 0, second / 2);
  double tail = Rms(blast.samples, 3 * second, 4 * second);
  EXPECT_LT(tail, start / 4);    // it dies down
  EXPECT_GT(tail, start / 100);  // but is still heard seconds later
}
}  // namespace

}  // namespace assetgen::tests
