// A full pool of particles aged, refilled and drawn each frame, on the recording device (so the
// time is the emitter's own work: the update, and the vertices it writes for the draw).
#include <benchmark/benchmark.h>

#include <string>

#include "effects/particle_system.h"
#include "platform/d3d8/record/recording_backend.h"

namespace {

void BM_ParticleUpdateAndRenderFullPool(benchmark::State& state) {
  IDirect3DDevice8* device = CreateRecordingDevice(64, 64);
  const std::string texture = std::string(VULCARA_DATA_DIR) + "/textures/smoke.bmp";
  {
    ParticleSystem smoke;
    // Births far faster than deaths: every slot that frees is refilled at once.
    if (!smoke.Init(device, texture.c_str(), 100000, 100000, {0.5f, 6.5f, 0.5f}, 1.0f,
                    {-0.5f, 1.0f, -0.5f}, {0.5f, 1.0f, 0.5f})) {
      state.SkipWithError("no smoke texture (build the assets first)");
    }
    device->BeginScene();
    for (auto _ : state) {
      smoke.Update(16, true);
      smoke.Render(device);
      // The recording would otherwise keep every frame's vertices.
      RecordingOf(device).Reset();
    }
    device->EndScene();
    state.counters["particles"] = smoke.LiveCount();
  }
  device->Release();
}
BENCHMARK(BM_ParticleUpdateAndRenderFullPool);

}  // namespace
