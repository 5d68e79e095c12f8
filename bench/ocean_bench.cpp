// The ocean's per-frame work at the finest detail (100 x 100 vertices).
#include <benchmark/benchmark.h>

#include "platform/d3d8/record/recording_backend.h"
#include "world/ocean_animation.h"

namespace {

void BM_OceanAnimateHighestDetail(benchmark::State& state) {
  IDirect3DDevice8* device = CreateRecordingDevice(64, 64);
  {
    OceanAnimation ocean;
    ocean.Build(nullptr, 0x800000C8, 1.0f, 48, 48, 100, 100, 0.5f, 0.2f, 0.5f, device);
    for (auto _ : state) ocean.Animate(16);
  }
  device->Release();
}
BENCHMARK(BM_OceanAnimateHighestDetail)->Unit(benchmark::kMillisecond);

}  // namespace
