#pragma once
// The show's script and its camera. The intro flies over the island with captions until a key
// is held from 35 s on; that starts the fire phase: two seconds of rumble with a shaking world,
// then the eruption (blast, lava spray, lava spreading over the island), five fires from 6.5 s
// to 14 s, and from 14 s free flight with the arrow keys and the mouse inside a fixed box. Every
// step is driven by the frame timer's clock, so a fixed clock step plays it the same every time.
#include "effects/fire_billboards.h"
#include "effects/lava_texture_pass.h"
#include "gfx/d3dx_matrix.h"
#include "gfx/d3dx_vector3.h"
#include "platform/d3d8.h"

class BitmapFont;
class ExplosionSystem;
class FrameTimer;
class ParticleSystem;
class SoundSystem;
class VolcanoTerrain;

class DemoPlaySystem {
 public:
  // From here on the intro waits for a key.
  static constexpr float kKeyWaitSeconds = 35.0f;
  // Seconds after the key press.
  static constexpr float kEruptionStart = 2.0f;
  static constexpr float kFiresStart = 6.5f;
  static constexpr float kExploreCaptionStart = 10.0f;
  static constexpr float kExplorationStart = 14.0f;
  // The box the exploring camera stays in.
  static constexpr float kBoxHalfWidth = 15.0f;
  static constexpr float kLowestEye = 1.7f;
  static constexpr float kHighestEye = 12.0f;

  DemoPlaySystem();
  ~DemoPlaySystem() { Release(); }
  DemoPlaySystem(const DemoPlaySystem&) = delete;
  DemoPlaySystem& operator=(const DemoPlaySystem&) = delete;

  // Keeps the objects it plays with (it owns none of them) and makes its own art. False when the
  // fires can't be made; the unit quad failing is also shown in a message box. The device is
  // not kept.
  bool Init(FrameTimer* timer, BitmapFont* font, ExplosionSystem* explosion, ParticleSystem* smoke,
            VolcanoTerrain* terrain, SoundSystem* sound, IDirect3DDevice8* device);
  // One frame of the show: the intro or the fire phase, then, once exploring, the camera moved
  // by the frame's input (see UpdateCamera).
  void PlayFrame(IDirect3DDevice8* device, D3DXVECTOR3* move, float yaw, float pitch);
  // One frame of the intro: the camera's flight and its captions; a key held from 35 s on
  // starts the fire phase.
  bool RenderIntro(IDirect3DDevice8* device);
  // One frame of the fire phase: rumble, eruption, fires and their captions by the time since
  // the key press.
  bool RenderFirePhase(IDirect3DDevice8* device);
  // The exploring camera: moves by the request (cleared after use) in the camera's previous
  // orientation, stays inside the box, and turns to yaw and pitch.
  void UpdateCamera(D3DXVECTOR3* move, float yaw, float pitch);
  void Release();

  // Any key down or up, from the window procedure. A press counts at the next frame even when
  // the key is up again by then: a tap, or a quick key between two slow frames.
  void SetKeyDown(bool down) {
    keyDown_ = down;
    pressed_ = pressed_ || down;
  }

  const D3DXMATRIX& View() const { return view_; }
  // The world transform of the fire phase: the camera's shake.
  const D3DXMATRIX& Shake() const { return shake_; }
  const D3DXVECTOR3& Eye() const { return eye_; }
  const D3DXVECTOR3& LookAt() const { return lookAt_; }
  // The demo time of the key press; infinity until then.
  float FireStartTime() const { return fireStartTime_; }
  bool FirePhase() const { return firePhase_; }
  bool Exploring() const { return exploring_; }
  float LavaScale() const { return lava_.Scale(); }
  const FireBillboards& Fires() const { return fires_; }
  IDirect3DTexture8* LavaTexture() const { return lavaTexture_; }
  IDirect3DTexture8* LavaTarget() const { return lava_.Target(); }

 private:
  bool RenderLavaTexture(IDirect3DVertexBuffer8* quad, float seconds, IDirect3DDevice8* device);
  void RenderFireBillboards(IDirect3DDevice8* device);
  void Caption(const char* text, int dy, const D3DVIEWPORT8& viewport, IDirect3DDevice8* device);
  void Rumble(float dt);
  void Erupt(IDirect3DDevice8* device);
  void BurnFires(IDirect3DDevice8* device);

  D3DXMATRIX view_;
  D3DXMATRIX shake_;
  D3DXMATRIX cameraWorld_;
  FrameTimer* timer_ = nullptr;
  BitmapFont* font_ = nullptr;
  ExplosionSystem* explosion_ = nullptr;
  ParticleSystem* smoke_ = nullptr;
  VolcanoTerrain* terrain_ = nullptr;
  SoundSystem* sound_ = nullptr;
  D3DXVECTOR3 eye_;
  D3DXVECTOR3 lookAt_;
  bool keyDown_ = false;
  bool pressed_ = false;  // since the last frame
  bool firePhase_ = false;
  bool shakeRising_ = false;
  bool exploring_ = false;
  bool rumbleStarted_ = false;
  bool explosionStarted_ = false;
  bool fireStarted_ = false;
  float fireStartTime_;
  float shakeOffset_ = 0.0f;
  IDirect3DTexture8* lavaTexture_ = nullptr;  // handed to the smoke column at the eruption
  IDirect3DVertexBuffer8* quad_ = nullptr;    // the unit quad both passes draw with
  LavaTexturePass lava_;
  FireBillboards fires_;
};
