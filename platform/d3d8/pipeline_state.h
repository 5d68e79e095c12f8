#pragma once
// The device's fixed-function state as the program set it, starting from Direct3D 8's
// creation defaults.
#include "platform/d3d8.h"

struct PipelineState {
  DWORD renderStates[kRenderStateCount];
  DWORD stageStates[kTextureStageCount][kTextureStageStateCount];

  explicit PipelineState(bool depthBuffer);

  // Whether a value is one of Direct3D 8's render or texture stage state types.
  static bool IsRenderState(DWORD state);
  static bool IsStageState(DWORD type);
};
