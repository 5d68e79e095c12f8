#include "gfx/render_state_block.h"

#include <cstdlib>

namespace {

template <typename Saved, typename Name, typename Read>
void SaveAll(std::span<const Name> names, Saved* saved, Read read) {
  // More than a block holds is a mistake in the pass, not something a file or user can cause.
  if (names.size() > RenderStateBlock::kCapacity) std::abort();
  for (Name name : names) {
    saved->names[saved->count] = name;
    read(name, &saved->values[saved->count]);
    ++saved->count;
  }
}

}  // namespace

RenderStateBlock::RenderStateBlock(IDirect3DDevice8* device,
                                   std::span<const D3DRENDERSTATETYPE> renderStates,
                                   std::span<const D3DTEXTURESTAGESTATETYPE> stageStates,
                                   std::span<const D3DTRANSFORMSTATETYPE> transforms)
    : device_(device) {
  SaveAll(renderStates, &render_,
          [&](D3DRENDERSTATETYPE s, DWORD* v) { device_->GetRenderState(s, v); });
  SaveAll(stageStates, &stage_,
          [&](D3DTEXTURESTAGESTATETYPE s, DWORD* v) { device_->GetTextureStageState(0, s, v); });
  SaveAll(transforms, &transforms_,
          [&](D3DTRANSFORMSTATETYPE t, D3DMATRIX* m) { device_->GetTransform(t, m); });
}

RenderStateBlock::~RenderStateBlock() {
  for (size_t i = 0; i < render_.count; ++i) {
    device_->SetRenderState(render_.names[i], render_.values[i]);
  }
  for (size_t i = 0; i < stage_.count; ++i) {
    device_->SetTextureStageState(0, stage_.names[i], stage_.values[i]);
  }
  for (size_t i = 0; i < transforms_.count; ++i) {
    device_->SetTransform(transforms_.names[i], &transforms_.values[i]);
  }
}
