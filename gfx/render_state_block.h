#pragma once
// Saves the render states, stage-0 texture states and transforms a pass is about to change and
// puts them back when the block goes out of scope, so every way out of the pass (a failed draw
// included) leaves the device as the pass found it. States a pass deliberately leaves set for
// the next object are simply not named here.
#include <array>
#include <cstddef>
#include <span>

#include "platform/d3d8.h"

class RenderStateBlock {
 public:
  RenderStateBlock(IDirect3DDevice8* device, std::span<const D3DRENDERSTATETYPE> renderStates,
                   std::span<const D3DTEXTURESTAGESTATETYPE> stageStates = {},
                   std::span<const D3DTRANSFORMSTATETYPE> transforms = {});
  ~RenderStateBlock();
  RenderStateBlock(const RenderStateBlock&) = delete;
  RenderStateBlock& operator=(const RenderStateBlock&) = delete;

  // The most of each kind one block holds; a pass that needs more names a second block.
  static constexpr size_t kCapacity = 8;

 private:
  template <typename Name, typename Value>
  struct Saved {
    std::array<Name, kCapacity> names{};
    std::array<Value, kCapacity> values{};
    size_t count = 0;
  };

  IDirect3DDevice8* device_;
  Saved<D3DRENDERSTATETYPE, DWORD> render_;
  Saved<D3DTEXTURESTAGESTATETYPE, DWORD> stage_;
  Saved<D3DTRANSFORMSTATETYPE, D3DMATRIX> transforms_;
};

// The blend states of alpha-blended drawing.
constexpr D3DRENDERSTATETYPE kBlendStates[] = {D3DRS_ALPHABLENDENABLE, D3DRS_DESTBLEND,
                                               D3DRS_SRCBLEND};
// The three transforms of a scene.
constexpr D3DTRANSFORMSTATETYPE kSceneTransforms[] = {D3DTS_WORLD, D3DTS_VIEW, D3DTS_PROJECTION};
