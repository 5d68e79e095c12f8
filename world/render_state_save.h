#pragma once
// Drawing code saves the render states it changes and puts them back when it is done.
#include <array>
#include <cstddef>

#include "platform/d3d8.h"

template <size_t N>
class RenderStateSave {
 public:
  RenderStateSave(IDirect3DDevice8* device, const std::array<D3DRENDERSTATETYPE, N>& states)
      : device_(device), states_(states) {
    for (size_t i = 0; i < N; ++i) device_->GetRenderState(states_[i], &values_[i]);
  }
  void Restore() const {
    for (size_t i = 0; i < N; ++i) device_->SetRenderState(states_[i], values_[i]);
  }

 private:
  IDirect3DDevice8* device_;
  std::array<D3DRENDERSTATETYPE, N> states_;
  std::array<DWORD, N> values_{};
};

// The blend states of alpha-blended drawing, and setting them for source-alpha blending.
constexpr std::array<D3DRENDERSTATETYPE, 3> kBlendStates = {D3DRS_ALPHABLENDENABLE,
                                                            D3DRS_DESTBLEND, D3DRS_SRCBLEND};
void UseAlphaBlending(IDirect3DDevice8* device);
// Stage 0 takes its colour from the texture and its alpha from the vertex colour.
void UseTextureColourDiffuseAlpha(IDirect3DDevice8* device);
