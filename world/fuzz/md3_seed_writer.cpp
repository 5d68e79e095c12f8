// Writes a starting corpus for the MD3 reader's fuzzer: small valid models made by the test
// suite's writer. Usage: md3_seed_writer FOLDER
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "test_md3.h"

namespace {

// A ring of eight triangles round a centre, like a small dome's cap.
TestMd3 Fan() {
  TestMd3Surface fan;
  fan.texCoords.push_back({0.5f, 0.5f});
  fan.positions.push_back({0, 600, 0});
  for (int k = 0; k < 8; ++k) {
    const double angle = k * 0.785398;
    fan.texCoords.push_back(
        {float(0.5 + 0.4 * std::cos(angle)), float(0.5 + 0.4 * std::sin(angle))});
    fan.positions.push_back({int16_t(500 * std::cos(angle)), 300, int16_t(500 * std::sin(angle))});
    fan.triangles.push_back({0, 1 + (k + 1) % 8, 1 + k});
  }
  return {1, {fan}};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path folder = argv[1];
  std::filesystem::create_directories(folder);
  const std::pair<const char*, TestMd3> seeds[] = {
      {"triangle.md3", TriangleMd3()}, {"two-surfaces.md3", TwoSurfaceMd3()}, {"fan.md3", Fan()}};
  for (const auto& [name, model] : seeds)
    std::ofstream(folder / name, std::ios::binary) << Md3Bytes(model);
  return 0;
}
