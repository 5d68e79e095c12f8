// What a full console costs the OpenGL backend: 2,000 glyph quads, each its own
// DrawPrimitiveUP with its own 8 x 8 A4R4G4B4 texture and world transform, against the same
// quads as one draw. Headless, on the offscreen display; every frame ends with Present and a
// read-back, so the GPU's work is in the time.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <vector>

#include "headless_device.h"
#include "test_vertex.h"

namespace {

constexpr int kQuads = 2000;
constexpr int kColumns = 80;
constexpr int kCell = 8;
constexpr int kGlyphTextures = 96;
constexpr UINT kWidth = 640;
constexpr UINT kHeight = 480;

const TestVertex kGlyphQuad[] = {{0, kCell, 0, 0xFFFFFFFF, 0, 0},
                                 {0, 0, 0, 0xFFFFFFFF, 0, 1},
                                 {kCell, kCell, 0, 0xFFFFFFFF, 1, 0},
                                 {kCell, 0, 0, 0xFFFFFFFF, 1, 1}};

D3DMATRIX Scaled(float sx, float sy, float x, float y) {
  D3DMATRIX m{};
  m._11 = sx;
  m._22 = sy;
  m._33 = m._44 = 1;
  m._41 = x;
  m._42 = y;
  return m;
}

// Where glyph quad i goes: 80 to a row from the top-left of the screen.
float CellX(int i) {
  return static_cast<float>(i % kColumns * kCell) - kWidth / 2.0f;
}
float CellY(int i) {
  return kHeight / 2.0f - kCell - static_cast<float>(i / kColumns * kCell);
}

// The offscreen display and window, for as long as a benchmark runs.
class DisplaySession {
 public:
  DisplaySession() {
    std::string error;
    open_ = HeadlessDevice::OpenWindow(&error);
  }
  ~DisplaySession() { HeadlessDevice::CloseWindow(); }
  bool Open() const { return open_; }

 private:
  bool open_ = false;
};

// A device in the console's state, with a font's worth of glyph textures.
class ConsoleScene {
 public:
  ConsoleScene() {
    ready_ = display_.Open() && device_.Create(kWidth, kHeight, D3DFMT_X8R8G8B8, true);
    if (!ready_) return;
    const D3DMATRIX projection = Scaled(2.0f / kWidth, 2.0f / kHeight, 0, 0);
    device_->SetTransform(D3DTS_PROJECTION, &projection);
    device_->SetRenderState(D3DRS_LIGHTING, FALSE);
    device_->SetRenderState(D3DRS_ALPHATESTENABLE, TRUE);
    device_->SetRenderState(D3DRS_ALPHAREF, 153);
    device_->SetRenderState(D3DRS_ALPHAFUNC, D3DCMP_GREATER);
    device_->SetTextureStageState(0, D3DTSS_COLOROP, D3DTOP_SELECTARG1);
    device_->SetTextureStageState(0, D3DTSS_COLORARG1, D3DTA_TEXTURE);
    device_->SetTextureStageState(0, D3DTSS_MAGFILTER, D3DTEXF_LINEAR);
    device_->SetTextureStageState(0, D3DTSS_MINFILTER, D3DTEXF_NONE);
    device_->SetVertexShader(kTestVertexFormat);
    for (int g = 0; g < kGlyphTextures; ++g) glyphs_.push_back(Glyph(g));
  }
  ~ConsoleScene() {
    if (!ready_) return;
    device_->SetTexture(0, nullptr);
    for (IDirect3DTexture8* glyph : glyphs_) glyph->Release();
  }
  bool Ready() const { return ready_; }
  IDirect3DDevice8* Device() { return device_.Get(); }
  IDirect3DTexture8* GlyphTexture(int i) { return glyphs_[i % kGlyphTextures]; }
  // Sets quad i's world transform and glyph texture.
  void PlaceQuad(int i) {
    const D3DMATRIX world = Scaled(1, 1, CellX(i), CellY(i));
    device_->SetTransform(D3DTS_WORLD, &world);
    device_->SetTexture(0, GlyphTexture(i));
  }

  void BeginFrame() {
    device_->BeginScene();
    device_->Clear(0, nullptr, D3DCLEAR_TARGET | D3DCLEAR_ZBUFFER, 0xFF000000, 1.0f, 0);
  }
  // Ends the frame and returns the GL draws it took.
  uint32_t EndFrame() {
    device_->EndScene();
    device_->Present(nullptr, nullptr, nullptr, nullptr);
    device_->ReadBackBuffer(&image_);
    DeviceCounters counters;
    device_->GetCounters(&counters);
    return counters.backendDraws;
  }

 private:
  IDirect3DTexture8* Glyph(int g) {
    IDirect3DTexture8* texture = nullptr;
    device_->CreateTexture(kCell, kCell, 1, 0, D3DFMT_A4R4G4B4, D3DPOOL_MANAGED, &texture);
    D3DLOCKED_RECT locked{};
    texture->LockRect(0, &locked, nullptr, 0);
    for (int y = 0; y < kCell; ++y) {
      auto* row =
          reinterpret_cast<uint16_t*>(static_cast<uint8_t*>(locked.pBits) + y * locked.Pitch);
      for (int x = 0; x < kCell; ++x) row[x] = (x + y + g) % 3 == 0 ? 0xFFFF : 0x0000;
    }
    texture->UnlockRect(0);
    return texture;
  }

  DisplaySession display_;  // first: the device must go before the display does
  HeadlessDevice device_;
  std::vector<IDirect3DTexture8*> glyphs_;
  BackBufferImage image_;
  bool ready_ = false;
};

void ReportDraws(benchmark::State& state, uint32_t backendDraws) {
  state.counters["gl_draws"] = backendDraws;
}

// The console's way; the backend merges the run.
void BM_GlyphQuadsOneCallEach(benchmark::State& state) {
  ConsoleScene scene;
  if (!scene.Ready()) return state.SkipWithError("no headless device");
  IDirect3DDevice8* device = scene.Device();
  uint32_t draws = 0;
  for (auto _ : state) {
    scene.BeginFrame();
    for (int i = 0; i < kQuads; ++i) {
      scene.PlaceQuad(i);
      device->DrawPrimitiveUP(D3DPT_TRIANGLESTRIP, 2, kGlyphQuad, sizeof(TestVertex));
    }
    draws = scene.EndFrame();
  }
  ReportDraws(state, draws);
}
BENCHMARK(BM_GlyphQuadsOneCallEach)->Unit(benchmark::kMillisecond);

// The same calls from a vertex buffer, which the backend does not merge: one GL draw and one
// texture bind per quad.
void BM_GlyphQuadsUnmerged(benchmark::State& state) {
  ConsoleScene scene;
  if (!scene.Ready()) return state.SkipWithError("no headless device");
  IDirect3DDevice8* device = scene.Device();
  IDirect3DVertexBuffer8* quad = nullptr;
  device->CreateVertexBuffer(sizeof kGlyphQuad, D3DUSAGE_WRITEONLY, kTestVertexFormat,
                             D3DPOOL_MANAGED, &quad);
  BYTE* bytes = nullptr;
  quad->Lock(0, 0, &bytes, 0);
  std::copy_n(reinterpret_cast<const BYTE*>(kGlyphQuad), sizeof kGlyphQuad, bytes);
  quad->Unlock();
  uint32_t draws = 0;
  for (auto _ : state) {
    scene.BeginFrame();
    device->SetStreamSource(0, quad, sizeof(TestVertex));
    for (int i = 0; i < kQuads; ++i) {
      scene.PlaceQuad(i);
      device->DrawPrimitive(D3DPT_TRIANGLESTRIP, 0, 2);
    }
    draws = scene.EndFrame();
  }
  device->SetStreamSource(0, nullptr, 0);
  quad->Release();
  ReportDraws(state, draws);
}
BENCHMARK(BM_GlyphQuadsUnmerged)->Unit(benchmark::kMillisecond);

// The floor: the same quads, already placed, as one triangle list with one texture.
void BM_GlyphQuadsInOneDraw(benchmark::State& state) {
  ConsoleScene scene;
  if (!scene.Ready()) return state.SkipWithError("no headless device");
  IDirect3DDevice8* device = scene.Device();
  std::vector<TestVertex> list;
  for (int i = 0; i < kQuads; ++i) {
    for (int corner : {0, 1, 2, 2, 1, 3}) {
      TestVertex v = kGlyphQuad[corner];
      v.x += CellX(i);
      v.y += CellY(i);
      list.push_back(v);
    }
  }
  const D3DMATRIX identity = Scaled(1, 1, 0, 0);
  device->SetTransform(D3DTS_WORLD, &identity);
  device->SetTexture(0, scene.GlyphTexture(0));
  uint32_t draws = 0;
  for (auto _ : state) {
    scene.BeginFrame();
    device->DrawPrimitiveUP(D3DPT_TRIANGLELIST, 2 * kQuads, list.data(), sizeof(TestVertex));
    draws = scene.EndFrame();
  }
  ReportDraws(state, draws);
}
BENCHMARK(BM_GlyphQuadsInOneDraw)->Unit(benchmark::kMillisecond);

}  // namespace
