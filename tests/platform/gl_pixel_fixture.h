#pragma once
// Pixel tests of the OpenGL backend: a fresh 64 x 64 device per test, drawn into and read back.
#include <gtest/gtest.h>

#include <array>
#include <ostream>
#include <vector>

#include "headless_device.h"
#include "test_vertex.h"

struct Rgba {
  int r = 0, g = 0, b = 0, a = 0;
  bool operator==(const Rgba&) const = default;
};
std::ostream& operator<<(std::ostream& out, const Rgba& c);
// Within tolerance in every channel.
::testing::AssertionResult Near(const Rgba& actual, const Rgba& expected, int tolerance = 1);
// Pixel (x, y) of an image, rows counted from the top.
Rgba At(const BackBufferImage& image, int x, int y);

class GlPixelTest : public ::testing::Test {
 protected:
  static constexpr int kSize = 64;

  static void SetUpTestSuite();
  static void TearDownTestSuite();
  // Lighting and culling off, inside a scene, cleared to opaque black.
  void SetUp() override;
  void TearDown() override;

  // The back buffer as drawn so far.
  BackBufferImage Frame();
  Rgba PixelAt(int x, int y) { return At(Frame(), x, y); }

  // A quad in clip space (the transforms are identity), clockwise on screen, texture (0, 0)
  // at its top-left, as a triangle strip.
  static std::array<TestVertex, 4> Quad(float left, float top, float right, float bottom,
                                        D3DCOLOR color = 0xFFFFFFFF, float z = 0.5f);
  void DrawStrip(const std::array<TestVertex, 4>& quad);
  void Clear(D3DCOLOR color);
  // A managed texture with one level, texels given row by row in the format's own bits.
  IDirect3DTexture8* MakeTexture(D3DFORMAT format, UINT width, UINT height,
                                 const std::vector<uint32_t>& texels);
  // Rewrites a level of a texture, texels given as for MakeTexture.
  static void Fill(IDirect3DTexture8* texture, const std::vector<uint32_t>& texels, UINT level = 0);
  // Stage 0 selecting the texture's colour and alpha (after setting it), or the argument's.
  void SelectTexture(IDirect3DTexture8* texture);
  void Select(DWORD argument);

  HeadlessDevice device_;
  std::vector<IDirect3DTexture8*> textures_;
};
