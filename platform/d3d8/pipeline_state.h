#pragma once
// The device's fixed-function state as the program set it, starting from Direct3D 8's
// creation defaults. A draw hands the backend this state as it stands.
#include "platform/d3d8.h"

struct PipelineState {
  DWORD renderStates[kRenderStateCount];
  DWORD stageStates[kTextureStageCount][kTextureStageStateCount];
  D3DMATRIX world;
  D3DMATRIX view;
  D3DMATRIX projection;
  D3DMATRIX textureTransforms[kTextureStageCount];
  D3DVIEWPORT8 viewport;
  DWORD fvf = 0;
  // Moves on with every render or stage state set to a new value, so that a backend can tell
  // nothing changed (a state block putting back what a pass left alone costs nothing).
  uint64_t stateVersion = 0;
  // The device holds a reference on each of these while it is bound.
  IDirect3DTexture8* textures[kTextureStageCount] = {};
  IDirect3DSurface8* renderTarget = nullptr;
  IDirect3DSurface8* depthStencil = nullptr;  // null: no depth test, no depth writes

  explicit PipelineState(bool depthBuffer);

  DWORD Render(D3DRENDERSTATETYPE state) const { return renderStates[state]; }
  float RenderFloat(D3DRENDERSTATETYPE state) const;
  DWORD Stage(DWORD stage, D3DTEXTURESTAGESTATETYPE type) const { return stageStates[stage][type]; }
  // Only a value the state doesn't have yet moves stateVersion on.
  void SetRender(D3DRENDERSTATETYPE state, DWORD value) { Set(&renderStates[state], value); }
  void SetStage(DWORD stage, D3DTEXTURESTAGESTATETYPE type, DWORD value) {
    Set(&stageStates[stage][type], value);
  }

  // Whether a value is one of Direct3D 8's render or texture stage state types.
  static bool IsRenderState(DWORD state);
  static bool IsStageState(DWORD type);

 private:
  void Set(DWORD* slot, DWORD value);
};

D3DMATRIX IdentityMatrix();
