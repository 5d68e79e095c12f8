// The sky dome model and the sounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "gfx/d3dx_vector3.h"
#include "image_files.h"
#include "tests/tools/assetgen/generated_folder.h"
#include "tools/assetgen/data_folder_writer.h"
#include "world/md3_file.h"

namespace assetgen::tests {

namespace {
// The dome's one surface as the program reads it, checking the file's frame: an MD3 of version
// 15 with one frame, right after the header, and one surface, ending where the file does.
Md3SurfaceData SkyDome() {
  const std::string bytes = ReadFileBytes(GeneratedFile("misc/skydome.md3"));
  constexpr uint32_t kIdp3 = 'I' | 'D' << 8 | 'P' << 16 | '3' << 24;
  Md3File file;
  std::string reason;
  EXPECT_TRUE(
      ReadMd3({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, &file, &reason))
      << reason;
  EXPECT_EQ(file.identifier, kIdp3);
  EXPECT_EQ(file.version, 15);
  EXPECT_EQ(file.frames.size(), 1u);
  EXPECT_EQ(file.framesAt, 108);
  EXPECT_EQ(static_cast<size_t>(file.endAt), bytes.size());
  EXPECT_EQ(file.surfaces.size(), 1u);
  const Md3SurfaceData surface = file.surfaces.empty() ? Md3SurfaceData{} : file.surfaces[0];
  EXPECT_EQ(surface.header.identifier, kIdp3);
  EXPECT_EQ(surface.header.frameCount, 1);
  EXPECT_EQ(file.surfacesAt + surface.header.endAt, file.endAt);
  return surface;
}

double Rms(const std::vector<int16_t>& samples, size_t from, size_t to) {
  double sum = 0;
  for (size_t k = from; k < to; ++k) sum += double(samples[k]) * samples[k];
  return std::sqrt(sum / double(to - from)) / 32768.0;
}

TEST(AssetgenSkyDome, TrianglesTurnCounterClockwiseSeenFromInside) {
  // Drawn with clockwise triangles culled from a camera inside, so every triangle's
  // (b - a) x (c - a) must point away from the centre.
  const Md3SurfaceData dome = SkyDome();
  ASSERT_GT(dome.triangles.size(), 100u);
  for (const auto& t : dome.triangles) {
    D3DXVECTOR3 v[3], normal;
    for (int k = 0; k < 3; ++k) {
      const Md3Position& p = dome.positions.at(static_cast<size_t>(t[k]));
      v[k] = D3DXVECTOR3(p.x, p.y, p.z);
    }
    const D3DXVECTOR3 ab = v[1] - v[0], ac = v[2] - v[0], centre = v[0] + v[1] + v[2];
    D3DXVec3Cross(&normal, &ab, &ac);
    ASSERT_GT(D3DXVec3Dot(&normal, &centre), 0)
        << "triangle " << t[0] << " " << t[1] << " " << t[2];
  }
}

TEST(AssetgenSkyDome, StaysInsideTheFarPlaneAndReachesWellBelowTheHorizon) {
  const Md3SurfaceData dome = SkyDome();
  double farthest = 0, lowest = 0, highest = 0;
  for (const Md3Position& v : dome.positions) {
    farthest = std::max(farthest, std::hypot(double(v.x), double(v.y), double(v.z)));
    lowest = std::min(lowest, double(v.y));
    highest = std::max(highest, double(v.y));
  }
  // Drawn at half size around the origin; the camera stays within 22 units of it.
  EXPECT_LT(farthest * 0.5 + 22, 1000.0);
  EXPECT_GT(farthest * 0.5, 100.0);
  EXPECT_NEAR(highest, farthest, 1.0);
  // Low enough to fill the view past the sea plane's edge from the cameras' heights.
  EXPECT_LT(lowest, -0.4 * farthest);
  for (const Md3TexCoord& st : dome.texCoords) {
    EXPECT_TRUE(st.s >= 0 && st.s <= 1 && st.t >= 0 && st.t <= 1);
  }
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
  int crossings = 0;
  for (size_t k = 3 * second + 1; k < 4 * second; ++k)
    crossings += (blast.samples[k - 1] < 0) != (blast.samples[k] < 0);
  EXPECT_LT(crossings, 2 * 400) << "the tail is low: under about 400 Hz";
}
}  // namespace

}  // namespace assetgen::tests
