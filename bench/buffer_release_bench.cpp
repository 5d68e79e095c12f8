// Releasing many vertex buffers, in the order they were made, on the recording device: what a
// model of many surfaces costs when it goes. Each release costs the same however many buffers
// are alive, so the time per buffer stays flat as the count grows.
#include <benchmark/benchmark.h>

#include <vector>

#include "platform/d3d8/record/recording_backend.h"

namespace {

void BM_ReleaseBuffers(benchmark::State& state) {
  IDirect3DDevice8* device = CreateRecordingDevice(64, 64);
  std::vector<IDirect3DVertexBuffer8*> buffers(static_cast<size_t>(state.range(0)));
  for (auto _ : state) {
    state.PauseTiming();
    for (IDirect3DVertexBuffer8*& buffer : buffers) {
      device->CreateVertexBuffer(24, 0, 0, D3DPOOL_MANAGED, &buffer);
    }
    RecordingOf(device).Reset();
    state.ResumeTiming();
    for (IDirect3DVertexBuffer8* buffer : buffers) buffer->Release();
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
  device->Release();
}
BENCHMARK(BM_ReleaseBuffers)->RangeMultiplier(8)->Range(1 << 10, 1 << 17);

}  // namespace
