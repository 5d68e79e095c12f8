#include "world/md3_model.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <tuple>

#include "gfx/scene_vertex.h"
#include "patched.h"
#include "platform/d3d8/record/recording_backend.h"
#include "platform/host.h"
#include "recorded_scene.h"
#include "recording_device_test.h"
#include "test_bitmap.h"
#include "test_md3.h"

namespace {

class Md3ModelTest : public RecordingDeviceTest {
 protected:
  bool Load(Md3Model& model, const std::string& bytes, const char* directory = nullptr,
            int alpha = 255) {
    folder_.Write("model.md3", bytes);
    return model.Load("model.md3", directory, device_, alpha);
  }

  std::vector<RecordedDraw> Draw(Md3Model& model) {
    return RecordScene(device_, [&] { return model.Draw(device_); }).draws;
  }
};

TEST_F(Md3ModelTest, EverySurfaceBecomesBuffersOfItsRawPositions) {
  Md3Model model;
  ASSERT_TRUE(Load(model, Md3Bytes(TwoSurfaceMd3()), nullptr, 0x180));  // alpha's low 8 bits
  ASSERT_EQ(model.Surfaces().size(), 2u);
  std::vector<RecordedDraw> draws = Draw(model);
  ASSERT_EQ(draws.size(), 2u);
  EXPECT_EQ(draws[0].primitiveCount, 1u);
  const SceneVertex v = draws[0].VertexAt<SceneVertex>(1);
  EXPECT_EQ(v.x, 64.0f);  // as stored, not scaled by 1/64
  EXPECT_EQ(std::pair(v.diffuse, v.tu), std::pair(0x80FFFFFFu, 1.0f));
  // The second surface was read on from the end of the first, its frame 0 first.
  EXPECT_EQ(draws[1].indices, (std::vector<uint16_t>{0, 1, 2, 2, 3, 0}));
  EXPECT_EQ(draws[1].VertexAt<SceneVertex>(3).y, -3.0f);
  ASSERT_TRUE(model.SetFrame(0, 1));
  EXPECT_FALSE(model.SetFrame(0, 2));
  EXPECT_EQ(Draw(model)[0].VertexAt<SceneVertex>(1).x, 1.0f);
}

TEST_F(Md3ModelTest, TextureComesFromTheFirstShadersNameInTheDirectory) {
  TestMd3 model = TriangleMd3();
  model.surfaces[0].shaders = {"models\\sky\\clouds.bmp", "unused.bmp"};
  std::filesystem::create_directories("models/sky");
  std::filesystem::create_directory("textures");
  WriteBitmap("textures/clouds.bmp", GreyRamp24(4, 4, 1));
  WriteBitmap("models/sky/clouds.bmp", GreyRamp24(8, 8, 1));
  // Widths of the texture loaded, 0 for none: a missing file leaves the surface untextured.
  for (auto [directory, width] : {std::pair<const char*, UINT>{"textures", 4},
                                  {"USEDEFAULT", 8},
                                  {nullptr, 0},
                                  {"missing", 0}}) {
    Md3Model loaded;
    ASSERT_TRUE(Load(loaded, Md3Bytes(model), directory));
    IDirect3DTexture8* texture = loaded.Surfaces()[0].texture;
    D3DSURFACE_DESC desc{};
    if (texture) texture->GetLevelDesc(0, &desc);
    EXPECT_EQ(desc.Width, width) << (directory ? directory : "none");
    EXPECT_EQ(Draw(loaded)[0].textureId, RecordedTextureId(texture));
  }
}

TEST_F(Md3ModelTest, AnimatedSurfacesAdvanceOneFramePerDrawAtMost) {
  TestMd3 model = TwoSurfaceMd3();
  model.surfaces[1].frames = 1;  // stays static
  model.surfaces[1].positions.resize(4);
  Md3Model loaded;
  ASSERT_TRUE(Load(loaded, Md3Bytes(model)));
  EXPECT_FALSE(loaded.SetAnimationSpeed(0, 0));
  EXPECT_FALSE(loaded.SetAnimationSpeed(0));
  EXPECT_FALSE(loaded.SetAnimationSpeed(1, 25));
  ASSERT_TRUE(loaded.SetAnimationSpeed(25));
  EXPECT_EQ(loaded.Surfaces()[0].frameInterval, 40u);
  EXPECT_FALSE(loaded.Surfaces()[1].animated);
  // A draw every 100 ms at 40 ms a frame: one frame on per draw, round to the first.
  host::UseVirtualClock(100, 1000);
  std::vector<uint32_t> frames;
  for (int draw = 0; draw < 3; ++draw, host::AdvanceVirtualClock()) {
    Draw(loaded);
    frames.push_back(loaded.Surfaces()[0].currentFrame);
  }
  host::UseRealClock();
  EXPECT_EQ(frames, (std::vector<uint32_t>{1, 0, 1}));
}

TEST_F(Md3ModelTest, FilesThatDoNotHoldWhatTheyClaimAreRefused) {
  const TestMd3 two = TwoSurfaceMd3();
  const std::string valid = Md3Bytes(two);
  const size_t first = Md3SurfaceStart(two, 0), second = Md3SurfaceStart(two, 1);
  const auto with = [&](std::initializer_list<std::pair<size_t, int32_t>> fields) {
    std::string bytes = valid;
    for (auto [offset, value] : fields) bytes = Patched(bytes, offset, uint32_t(value));
    return bytes;
  };
  const auto end = static_cast<int32_t>(valid.size());
  const std::pair<const char*, std::string> cases[] = {
      {"shorter than its header", valid.substr(0, 100)},
      {"last block cut short", valid.substr(0, valid.size() - 1)},
      {"negative frame count", with({{76, -1}})},
      {"absurd frame count", with({{76, 0x7FFFFFFF}})},
      {"tags past the end", with({{80, 1}, {96, end}})},
      {"negative surface count", with({{84, -1}})},
      {"a surface more than there is", with({{84, 3}})},
      {"absurd surface count", with({{84, 0x7FFFFFFF}})},
      {"surfaces past the end", with({{100, end}})},
      {"shaders past the end", with({{first + 76, 1000}})},
      {"negative vertex count", with({{first + 80, -1}})},
      {"more vertices than 16-bit indices reach", with({{first + 80, 65537}})},
      {"absurd triangle count", with({{first + 84, 0x7FFFFFFF}})},
      {"triangles past the end", with({{first + 88, end}})},
      {"texture coordinates past the end", with({{first + 96, end}})},
      {"positions before the file", with({{first + 100, -8}})},
      {"texture coordinates before their surface", with({{first + 96, -8}})},
      // 65,536 x 65,536 positions are none in 32-bit arithmetic.
      {"frames times vertices", with({{first + 72, 65536}, {first + 80, 65536}})},
      {"frames without vertices", with({{second + 80, 0}})},
      {"triangle index at the vertex count", with({{first + 108 + 8, 3}})},
      {"negative triangle index", with({{second + 108 + 2 * 68 + 4, -1}})},
  };
  for (const auto& [what, bytes] : cases) {
    Md3Model model;
    EXPECT_FALSE(Load(model, bytes)) << what;
    EXPECT_TRUE(model.Surfaces().empty()) << what;
  }
  Md3Model model;
  EXPECT_FALSE(model.Load("absent.md3", nullptr, device_, 255));
  EXPECT_TRUE(RecordingOf(device_).destroyedBuffers.empty());  // nothing was ever built
}

// Files that hold all they claim, refused for what building them would cost; the frames and
// vertices of a triangle's surface are claimed and the file grown sparse, a few bytes on disk.
TEST_F(Md3ModelTest, ModelsBeyondTheirBudgetsOfSurfacesAndBuffersAreRefusedWithIt) {
  TestMd3 many = TriangleMd3();
  many.surfaces.resize(kMaxMd3Surfaces + 1, many.surfaces[0]);
  folder_.Write("surfaces.md3", Md3Bytes(many));
  const size_t surface = Md3SurfaceStart(TriangleMd3(), 0);
  for (const auto& [name, frames, vertices] :
       {std::tuple{"frames.md3", 4096, 3}, std::tuple{"vertices.md3", 11, 65536}}) {
    const std::string bytes =
        Patched(Patched(Md3Bytes(TriangleMd3()), surface + 72, frames), surface + 80, vertices);
    folder_.Write(name, bytes);
    std::filesystem::resize_file(name, bytes.size() + size_t{8} * frames * vertices);
  }
  ::testing::internal::CaptureStderr();
  for (const char* name : {"surfaces.md3", "frames.md3", "vertices.md3"}) {
    Md3Model model;
    EXPECT_FALSE(model.Load(name, nullptr, device_, 255)) << name;
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "surfaces.md3: 33 surfaces, more than the 32 a model may have\n"
            "frames.md3: its surfaces make 4097 buffers, more than the 4096 a model may have\n"
            "vertices.md3: its buffers take 16.5 MiB, more than the 16.0 MiB a model may take\n");
  EXPECT_TRUE(RecordingOf(device_).destroyedBuffers.empty());
}

}  // namespace
