// What the sky's cloud pass costs the OpenGL backend each frame: one 256 x 256 target, a clear
// and four blended quads, against the same frame without it. Headless, on the offscreen
// display, with the generated dome; every frame ends with Present and a read-back of a small
// back buffer, so the GPU's work is in the time.
#include <benchmark/benchmark.h>

#include <string>

#include "headless_device.h"
#include "world/sky_dome.h"

namespace {

const std::string kDomeModel = std::string(VULCARA_DATA_DIR) + "/misc/skydome.md3";

// Runs frames on a 64 x 64 device with a sky dome, doing the pass's work or not.
void RunFrames(benchmark::State& state, bool cloudPass) {
  std::string error;
  if (!HeadlessDevice::OpenWindow(&error)) return state.SkipWithError(error.c_str());
  {
    HeadlessDevice device;
    SkyDome dome;
    BackBufferImage image;
    if (!device.Create(64, 64, D3DFMT_X8R8G8B8, true) ||
        !dome.Init(device.Get(), kDomeModel.c_str())) {
      state.SkipWithError("no headless device or no generated dome (build the assets first)");
    } else {
      for (auto _ : state) {
        device->BeginScene();
        if (cloudPass) dome.UpdateClouds(device.Get());
        device->EndScene();
        device->Present(nullptr, nullptr, nullptr, nullptr);
        device->ReadBackBuffer(&image);
      }
    }
  }
  HeadlessDevice::CloseWindow();
}

void BM_FrameWithoutCloudPass(benchmark::State& state) {
  RunFrames(state, false);
}
BENCHMARK(BM_FrameWithoutCloudPass)->Unit(benchmark::kMillisecond);

void BM_FrameWithCloudPass(benchmark::State& state) {
  RunFrames(state, true);
}
BENCHMARK(BM_FrameWithCloudPass)->Unit(benchmark::kMillisecond);

}  // namespace
