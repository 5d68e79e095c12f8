// Loading 512 x 512 textures with their full mip chains: file read, decode, box-filtered levels
// and the copy into the texture, on the recording device.
#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <string>

#include "gfx/d3dx_texture.h"
#include "gfx/png_writer.h"
#include "platform/d3d8/record/recording_backend.h"
#include "tools/assetgen/formats/bmp_writer.h"
#include "tools/assetgen/formats/image.h"

namespace {

using assetgen::BmpWriter;
using assetgen::Image;
using assetgen::Rgb;
using assetgen::ToByte;

constexpr int kSize = 512;

// Smooth gradients with fine ripples, so that the PNG compresses like real art does.
Image SamplePicture() {
  Image image(kSize, kSize);
  for (int y = 0; y < kSize; ++y) {
    for (int x = 0; x < kSize; ++x) {
      const float ripple = 0.5f + 0.5f * std::sin(x * 0.21f) * std::cos(y * 0.17f);
      image.At(x, y) = {x / float(kSize), ripple, y / float(kSize) * ripple};
    }
  }
  return image;
}

std::string SamplePath(const char* name) {
  const auto folder = std::filesystem::temp_directory_path() / "vulcara-texture-bench";
  std::filesystem::create_directories(folder);
  return (folder / name).string();
}

const std::string& Bmp24File() {
  static const std::string path = [] {
    const std::string p = SamplePath("sample24.bmp");
    const std::vector<uint8_t> bytes = BmpWriter::Encode(SamplePicture());
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return p;
  }();
  return path;
}

const std::string& PngFile() {
  static const std::string path = [] {
    const std::string p = SamplePath("sample.png");
    const Image image = SamplePicture();
    std::vector<uint8_t> rgba;
    for (int y = 0; y < kSize; ++y) {
      for (int x = 0; x < kSize; ++x) {
        const Rgb& c = image.At(x, y);
        rgba.insert(rgba.end(), {ToByte(c.r), ToByte(c.g), ToByte(c.b), 255});
      }
    }
    std::string error;
    return WritePng(p.c_str(), kSize, kSize, rgba.data(), &error) ? p : std::string();
  }();
  return path;
}

void LoadRepeatedly(benchmark::State& state, const std::string& path) {
  IDirect3DDevice8* device = CreateRecordingDevice(64, 64);
  for (auto _ : state) {
    IDirect3DTexture8* texture = nullptr;
    if (FAILED(D3DXCreateTextureFromFileA(device, path.c_str(), &texture))) {
      state.SkipWithError("the sample file did not load");
      break;
    }
    texture->Release();
  }
  device->Release();
}

void BM_LoadBmp24WithMips(benchmark::State& state) {
  LoadRepeatedly(state, Bmp24File());
}
BENCHMARK(BM_LoadBmp24WithMips)->Unit(benchmark::kMillisecond);

void BM_LoadPngWithMips(benchmark::State& state) {
  LoadRepeatedly(state, PngFile());
}
BENCHMARK(BM_LoadPngWithMips)->Unit(benchmark::kMillisecond);

}  // namespace
