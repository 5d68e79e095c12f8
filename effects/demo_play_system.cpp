#include "effects/demo_play_system.h"

#include <cmath>
#include <cstring>
#include <limits>

#include "console/bitmap_font.h"
#include "console/fire_effect.h"
#include "effects/explosion_system.h"
#include "effects/particle_system.h"
#include "gfx/d3dx_quaternion.h"
#include "gfx/d3dx_texture.h"
#include "gfx/scene_vertex.h"
#include "services/fatal_error.h"
#include "services/frame_timer.h"
#include "services/sound_system.h"
#include "world/volcano_terrain.h"

namespace {

// The intro's first view, from low over the water towards the island; also where the flight
// starts when a slow start-up has already passed the first five seconds.
constexpr D3DXVECTOR3 kIntroEye(10.73f, 1.7f, -17.45f);
constexpr D3DXVECTOR3 kIntroLookAt(9.0f, 0.0f, 0.0f);
constexpr D3DXVECTOR3 kUp(0.0f, 1.0f, 0.0f);

// The smoke column becomes a wider spray of lava.
constexpr D3DXVECTOR3 kLavaSprayMinVelocity(-1.5f, 1.0f, -1.5f);
constexpr D3DXVECTOR3 kLavaSprayMaxVelocity(1.5f, 1.0f, 1.5f);

// The camera bobs between about -0.05 and +0.05 units, one full swing every 0.08 s.
constexpr float kShakeSpeed = 2.5f;
constexpr float kShakeLimit = 0.05f;

constexpr float kCaptionScale = 5.0f;
// A two-line caption's lines stand this many pixels above and below the middle.
constexpr int kCaptionLineHeight = 40;
constexpr int32_t kRumbleVolume = -800;

// The exploring camera's world is 1.25 times its view space: a 0.1 step moves 0.125 units.
constexpr float kCameraScale = 1.25f;

// Two triangles in the plane z = 0 spanning -1 to 1, upright and counter-clockwise seen from
// negative z, the side the clockwise culling keeps.
constexpr SceneVertex kUnitQuad[6] = {
    {1.0f, -1.0f, 0.0f, 0xFFFFFFFF, 1.0f, 1.0f},  {-1.0f, 1.0f, 0.0f, 0xFFFFFFFF, 0.0f, 0.0f},
    {-1.0f, -1.0f, 0.0f, 0xFFFFFFFF, 0.0f, 1.0f}, {1.0f, 1.0f, 0.0f, 0xFFFFFFFF, 1.0f, 0.0f},
    {-1.0f, 1.0f, 0.0f, 0xFFFFFFFF, 0.0f, 0.0f},  {1.0f, -1.0f, 0.0f, 0xFFFFFFFF, 1.0f, 1.0f}};

// The intro's legs, each until its end on the demo clock: the camera holds still under a
// caption or moves between them.
enum class CameraMove { kFirstView, kStill, kTiltUp, kPan, kClimb };
struct IntroLeg {
  float end;
  CameraMove move;
  const char* caption;
};
constexpr IntroLeg kIntroLegs[] = {{5.0f, CameraMove::kFirstView, "Water"},
                                   {12.0f, CameraMove::kTiltUp, nullptr},
                                   {18.0f, CameraMove::kStill, "Wind"},
                                   {25.0f, CameraMove::kPan, nullptr},
                                   {30.0f, CameraMove::kStill, "Earth"},
                                   {DemoPlaySystem::kKeyWaitSeconds, CameraMove::kClimb, nullptr}};

// The camera stands still while the intro waits for the key.
constexpr IntroLeg kWaitingForKey = {std::numeric_limits<float>::infinity(), CameraMove::kStill,
                                     nullptr};

// The leg under way at time t.
const IntroLeg& IntroLegAt(float t) {
  for (const IntroLeg& leg : kIntroLegs) {
    if (t < leg.end) return leg;
  }
  return kWaitingForKey;
}

// The moves add up frame by frame: low over the water, looking up at the sky, panning to the
// volcano, then climbing towards the crater.
void FlyIntro(CameraMove move, float dt, D3DXVECTOR3* eye, D3DXVECTOR3* lookAt) {
  switch (move) {
    case CameraMove::kFirstView:
      *eye = kIntroEye;
      *lookAt = kIntroLookAt;
      break;
    case CameraMove::kTiltUp:
      lookAt->y += dt;
      break;
    case CameraMove::kPan:
      lookAt->x -= 1.2f * dt;
      break;
    case CameraMove::kClimb:
      eye->x -= 1.7f * dt;
      eye->z += 1.037f * dt;
      eye->y += 2.0f * dt;
      break;
    case CameraMove::kStill:
      break;
  }
}

float Clamped(float value, float low, float high) {
  if (value < low) return low;
  if (value > high) return high;
  return value;
}

bool CreateUnitQuad(IDirect3DDevice8* device, IDirect3DVertexBuffer8** quad) {
  device->CreateVertexBuffer(sizeof kUnitQuad, D3DUSAGE_WRITEONLY, kSceneVertexFormat,
                             D3DPOOL_DEFAULT, quad);
  BYTE* data = nullptr;
  if (!*quad || FAILED((*quad)->Lock(0, 0, &data, 0))) return false;
  std::memcpy(data, kUnitQuad, sizeof kUnitQuad);
  (*quad)->Unlock();
  return true;
}

}  // namespace

DemoPlaySystem::DemoPlaySystem()
    : eye_(kIntroEye),
      lookAt_(kIntroLookAt),
      // Nothing compares the fire's start with the clock as true until the key press.
      fireStartTime_(std::numeric_limits<float>::infinity()) {
  D3DXMatrixLookAtLH(&view_, &eye_, &lookAt_, &kUp);
  D3DXMatrixIdentity(&shake_);
  D3DXMatrixIdentity(&cameraWorld_);
}

bool DemoPlaySystem::Init(FrameTimer* timer, BitmapFont* font, ExplosionSystem* explosion,
                          ParticleSystem* smoke, VolcanoTerrain* terrain, SoundSystem* sound,
                          IDirect3DDevice8* device) {
  Release();
  timer_ = timer;
  font_ = font;
  explosion_ = explosion;
  smoke_ = smoke;
  terrain_ = terrain;
  sound_ = sound;
  D3DXMatrixIdentity(&shake_);
  D3DXMatrixIdentity(&cameraWorld_);
  // Missing art leaves its effect out: the island keeps its texture, the spray its smoke.
  lava_.Init(VolcanoTerrain::kTextureFile, "textures\\lavastream.bmp", device);
  D3DXCreateTextureFromFileA(device, "textures\\lava.bmp", &lavaTexture_);
  if (!CreateUnitQuad(device, &quad_)) {
    FatalError("Error Creating Fire Billboards", "Error", nullptr, true);
    return false;
  }
  return fires_.Init(FireEffect::kPaletteFile, ParticleSystem::kSmokeFile, device);
}

void DemoPlaySystem::Release() {
  fires_.Release();
  lava_.Release();
  SafeRelease(lavaTexture_);
  SafeRelease(quad_);
}

void DemoPlaySystem::PlayFrame(IDirect3DDevice8* device, D3DXVECTOR3* move, float yaw,
                               float pitch) {
  if (!firePhase_) {
    RenderIntro(device);
  } else {
    RenderFirePhase(device);
  }
  if (exploring_) UpdateCamera(move, yaw, pitch);
  pressed_ = false;
}

bool DemoPlaySystem::RenderIntro(IDirect3DDevice8* device) {
  const float t = timer_->totalSeconds;
  const IntroLeg& leg = IntroLegAt(t);
  FlyIntro(leg.move, timer_->frameSeconds, &eye_, &lookAt_);
  D3DVIEWPORT8 viewport{};
  device->GetViewport(&viewport);
  if (leg.caption) Caption(leg.caption, 0, viewport, device);
  if (t >= kKeyWaitSeconds) {
    Caption("Press Any Key", kCaptionLineHeight, viewport, device);
    Caption("To See Fire!", -kCaptionLineHeight, viewport, device);
    if (keyDown_ || pressed_) {
      firePhase_ = true;
      fireStartTime_ = t;
    }
  }
  D3DXMatrixLookAtLH(&view_, &eye_, &lookAt_, &kUp);
  return true;
}

// Centred on the viewport's middle in whole character cells (an odd count's middle character
// starts at the middle), dy pixels above it.
void DemoPlaySystem::Caption(const char* text, int dy, const D3DVIEWPORT8& viewport,
                             IDirect3DDevice8* device) {
  const float advance = font_->CellWidth() * kCaptionScale;
  const float x = static_cast<float>(viewport.Width / 2) -
                  std::floor(font_->TextWidth(text, kCaptionScale) / 2 / advance) * advance;
  const int y = -static_cast<int>(viewport.Height / 2) + dy;
  font_->RenderText(text, x, static_cast<float>(y), kCaptionScale, device);
}

bool DemoPlaySystem::RenderFirePhase(IDirect3DDevice8* device) {
  const float sinceKey = timer_->totalSeconds - fireStartTime_;
  D3DVIEWPORT8 viewport{};
  device->GetViewport(&viewport);
  if (sinceKey <= kEruptionStart) Rumble(timer_->frameSeconds);
  if (sinceKey > kEruptionStart) Erupt(device);
  if (sinceKey > kFiresStart && sinceKey < kExplorationStart) BurnFires(device);
  if (sinceKey > kFiresStart && sinceKey < kExploreCaptionStart) {
    Caption("Fire", 0, viewport, device);
  }
  if (sinceKey > kExploreCaptionStart && sinceKey < kExplorationStart) {
    Caption("Use The Mouse/Arrow", kCaptionLineHeight, viewport, device);
    Caption("To Explore", -kCaptionLineHeight, viewport, device);
  }
  if (sinceKey > kExplorationStart) exploring_ = true;
  D3DXMatrixTranslation(&shake_, 0.0f, shakeOffset_, 0.0f);
  return true;
}

void DemoPlaySystem::Rumble(float dt) {
  if (!rumbleStarted_) {
    rumbleStarted_ = true;
    sound_->SetVolume("rumble", kRumbleVolume);
    sound_->Play("rumble", false);
  }
  if (!shakeRising_) {
    shakeOffset_ -= kShakeSpeed * dt;
    if (shakeOffset_ <= -kShakeLimit) shakeRising_ = true;
  } else {
    shakeOffset_ += kShakeSpeed * dt;
    if (shakeOffset_ >= kShakeLimit) shakeRising_ = false;
  }
}

// Runs in every frame from the blast on, exploration included.
void DemoPlaySystem::Erupt(IDirect3DDevice8* device) {
  if (!explosionStarted_) {
    explosionStarted_ = true;
    sound_->SetVolume("rumble", 0);
    sound_->Play("explosion", false);
    // Once is enough: nothing else changes the column's texture or velocities.
    if (lavaTexture_) smoke_->ReplaceTexture(lavaTexture_);
    smoke_->SetVelocityRange(kLavaSprayMinVelocity, kLavaSprayMaxVelocity);
  }
  explosion_->Render(device, timer_->frameMs);
  RenderLavaTexture(quad_, timer_->frameSeconds, device);
}

void DemoPlaySystem::BurnFires(IDirect3DDevice8* device) {
  if (!fireStarted_) {
    fireStarted_ = true;
    // Silent until the ambient mix sets it by the camera's distance from the crater; it loops
    // on after the fires are gone.
    sound_->Play("fire", true);
    sound_->SetVolume("fire", audio::kSilentVolume);
  }
  fires_.Update(timer_->frameMs);
  RenderFireBillboards(device);
}

bool DemoPlaySystem::RenderLavaTexture(IDirect3DVertexBuffer8* quad, float seconds,
                                       IDirect3DDevice8* device) {
  if (!lava_.Render(quad, seconds, device)) return false;
  terrain_->ReplaceTexture(lava_.Target());
  return true;
}

void DemoPlaySystem::RenderFireBillboards(IDirect3DDevice8* device) {
  fires_.Render(quad_, device);
}

void DemoPlaySystem::UpdateCamera(D3DXVECTOR3* move, float yaw, float pitch) {
  // In the previous frame's orientation and scale; the first frame moves along the world axes.
  D3DXVec3TransformNormal(move, move, &cameraWorld_);
  eye_ += *move;
  eye_.x = Clamped(eye_.x, -kBoxHalfWidth, kBoxHalfWidth);
  eye_.z = Clamped(eye_.z, -kBoxHalfWidth, kBoxHalfWidth);
  eye_.y = Clamped(eye_.y, kLowestEye, kHighestEye);
  *move = D3DXVECTOR3(0.0f, 0.0f, 0.0f);
  D3DXQUATERNION rotation;
  D3DXQuaternionRotationYawPitchRoll(&rotation, yaw, pitch, 0.0f);
  D3DXMatrixAffineTransformation(&cameraWorld_, kCameraScale, nullptr, &rotation, &eye_);
  D3DXMatrixInverse(&view_, nullptr, &cameraWorld_);
}
