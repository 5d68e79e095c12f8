#pragma once
// The states the GL backend does not model, in one list beside the code that derives draw
// settings: fog, stencil, depth bias, fill and shade modes, lighting, texture stages 1 to 7,
// border addressing and the rest. The backend draws as if each held the value listed, whatever
// it holds; a draw that runs with one of them elsewhere is reported once on standard error.
#include <cstdio>
#include <vector>

#include "platform/d3d8/pipeline_state.h"

class UnmodelledStates {
 public:
  // Every render state and stage state Direct3D 8 defines is either modelled (read when draw
  // settings are derived) or listed here, never both.
  static bool IsModelled(D3DRENDERSTATETYPE state);
  static bool IsListed(D3DRENDERSTATETYPE state);
  static bool IsModelled(D3DTEXTURESTAGESTATETYPE type);
  static bool IsListed(D3DTEXTURESTAGESTATETYPE type);

  explicit UnmodelledStates(FILE* out = stderr) : out_(out) {}
  // Reports, once each, the listed states this draw's state holds away from their listed value.
  void Check(const PipelineState& state);

 private:
  FILE* out_;
  bool checked_ = false;
  uint64_t checkedVersion_ = 0;  // the state's version when last checked
  std::vector<bool> reported_;
};
