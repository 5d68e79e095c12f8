// The sky dome model and the five sounds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/tools/assetgen/generated_folder.h"
#include "tests/tools/assetgen/readers/md3_file.h"
#include "tests/tools/assetgen/readers/wav_file.h"

namespace assetgen::tests {

namespace {
Md3File SkyDome() {
  return Md3File(GeneratedFolder::File("misc/skydome.md3"));
}
WavFile SoundFile(const std::string& name) {
  return WavFile(GeneratedFolder::File("sound/" + name));
}

double Rms(const std::vector<int16_t>& samples, size_t from, size_t to) {
  double sum = 0;
  for (size_t k = from; k < to; ++k) sum += double(samples[k]) * samples[k];
  return std::sqrt(sum / double(to - from)) / 32768.0;
}

TEST(AssetgenSkyDome, HasOneSurfaceAndOneFrameWithBlocksInsideTheFile) {
  Md3File dome = SkyDome();
  EXPECT_EQ(dome.header.ident, "IDP3");
  EXPECT_EQ(dome.header.version, 15);
  EXPECT_EQ(dome.header.frames, 1);
  EXPECT_EQ(dome.header.surfaces, 1);
  EXPECT_EQ(dome.header.framesAt, 108);
  EXPECT_EQ(static_cast<size_t>(dome.header.endAt), dome.fileSize);
  EXPECT_EQ(dome.surface.ident, "IDP3");
  EXPECT_EQ(dome.surface.frames, 1);
  EXPECT_EQ(dome.surface.shadersAt, 108);
  EXPECT_EQ(dome.surface.trianglesAt, 108 + 68 * dome.surface.shaders);
  EXPECT_EQ(dome.surface.texCoordsAt, dome.surface.trianglesAt + 12 * dome.surface.triangles);
  EXPECT_EQ(dome.surface.verticesAt, dome.surface.texCoordsAt + 8 * dome.surface.vertices);
  EXPECT_EQ(dome.surface.endAt, dome.surface.verticesAt + 8 * dome.surface.vertices);
  EXPECT_EQ(dome.header.surfacesAt + dome.surface.endAt, dome.header.endAt);
  EXPECT_GT(dome.surface.triangles, 100);
  EXPECT_LT(dome.surface.vertices, 65536);  // the dome is drawn with 16-bit indices
  for (const auto& triangle : dome.triangles)
    for (int32_t index : triangle) ASSERT_TRUE(index >= 0 && index < dome.surface.vertices);
}

TEST(AssetgenSkyDome, TrianglesTurnCounterClockwiseSeenFromInside) {
  // Drawn with clockwise triangles culled from a camera inside, so every triangle's
  // (b - a) x (c - a) must point away from the centre.
  Md3File dome = SkyDome();
  for (const auto& t : dome.triangles) {
    auto p = [&](int k) {
      const auto& v = dome.positions[static_cast<size_t>(t[k])];
      return std::array<double, 3>{double(v[0]), double(v[1]), double(v[2])};
    };
    auto a = p(0), b = p(1), c = p(2);
    double ux = b[0] - a[0], uy = b[1] - a[1], uz = b[2] - a[2];
    double vx = c[0] - a[0], vy = c[1] - a[1], vz = c[2] - a[2];
    double nx = uy * vz - uz * vy, ny = uz * vx - ux * vz, nz = ux * vy - uy * vx;
    double outward =
        nx * (a[0] + b[0] + c[0]) + ny * (a[1] + b[1] + c[1]) + nz * (a[2] + b[2] + c[2]);
    ASSERT_GT(outward, 0) << "triangle " << t[0] << " " << t[1] << " " << t[2];
  }
}

TEST(AssetgenSkyDome, StaysInsideTheFarPlaneAndReachesWellBelowTheHorizon) {
  Md3File dome = SkyDome();
  double farthest = 0, lowest = 0, highest = 0;
  for (const auto& v : dome.positions) {
    farthest = std::max(farthest, std::hypot(double(v[0]), double(v[1]), double(v[2])));
    lowest = std::min(lowest, double(v[1]));
    highest = std::max(highest, double(v[1]));
  }
  // Drawn at half size around the origin; the camera stays within 22 units of it.
  EXPECT_LT(farthest * 0.5 + 22, 1000.0);
  EXPECT_GT(farthest * 0.5, 100.0);
  EXPECT_NEAR(highest, farthest, 1.0);
  // Low enough to fill the view past the sea plane's edge from the cameras' heights.
  EXPECT_LT(lowest, -0.4 * farthest);
  for (const auto& st : dome.texCoords) {
    EXPECT_TRUE(st[0] >= 0 && st[0] <= 1 && st[1] >= 0 && st[1] <= 1);
  }
}

TEST(AssetgenSounds, AreMono16BitPcmWithConsistentSizes) {
  for (const char* name :
       {"seawind.wav", "shorewav.wav", "rumble.wav", "explosion.wav", "fire.wav"}) {
    WavFile wav = SoundFile(name);
    EXPECT_EQ(wav.format, 1) << name;
    EXPECT_EQ(wav.channels, 1) << name;
    EXPECT_EQ(wav.bitsPerSample, 16) << name;
    EXPECT_EQ(wav.blockAlign, 2) << name;
    EXPECT_EQ(wav.byteRate, wav.sampleRate * 2) << name;
    EXPECT_EQ(wav.sampleRate, 22050u) << name;
    EXPECT_EQ(wav.riffSize + 8, wav.fileSize) << name;
    EXPECT_EQ(wav.fileSize, 44 + wav.samples.size() * 2) << name;
    int peak = 0;
    for (int16_t s : wav.samples) peak = std::max(peak, std::abs(int(s)));
    EXPECT_GT(peak, 16000) << name << " is too quiet";
    EXPECT_LT(peak, 32767) << name << " clips";
  }
}

TEST(AssetgenSounds, LoopsAreSeveralSecondsAndJoinWithoutAClick) {
  for (const char* name : {"seawind.wav", "shorewav.wav", "fire.wav"}) {
    WavFile wav = SoundFile(name);
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
  WavFile rumble = SoundFile("rumble.wav");
  EXPECT_GE(rumble.Seconds(), 2.0);
  EXPECT_LE(rumble.Seconds(), 3.0);

  WavFile blast = SoundFile("explosion.wav");
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
