#pragma once
// Small MD3 files written by the tests: the header, the frames right after it, then the
// surfaces one after another, each laid out as MD3 files lay them out (header, shaders,
// triangles, texture coordinates, positions frame after frame), with counts and offsets that
// agree. There are no tags.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

struct TestMd3Surface {
  int32_t frames = 1;
  std::vector<std::string> shaders;
  std::vector<std::array<int32_t, 3>> triangles;
  std::vector<std::array<float, 2>> texCoords;    // one per vertex
  std::vector<std::array<int16_t, 3>> positions;  // frames x vertices, frame after frame
};

struct TestMd3 {
  int32_t frames = 1;
  std::vector<TestMd3Surface> surfaces;
};

// Where a surface starts in the file, for tests that spoil one of its fields.
size_t Md3SurfaceStart(const TestMd3& model, size_t surface);
std::string Md3Bytes(const TestMd3& model);
// One surface of one frame: a single triangle whose vertex k lies at (64k, 2k, -k).
TestMd3 TriangleMd3();
// Two frames: the triangle (at (1, 1, 1) in frame 1), then a surface of two shaders ("first",
// "second") and two triangles over four vertices, vertex k of frame f at (4f + k, -4f - k, 7).
TestMd3 TwoSurfaceMd3();
