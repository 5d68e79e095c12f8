#include "app/ambient_sound.h"

#include <cmath>

#include "app/app_globals.h"
#include "effects/demo_play_system.h"
#include "services/frame_timer.h"
#include "services/sound_system.h"

namespace {

// 4 dB quieter per world unit away from the crater's axis.
int32_t FireAttenuation(float coordinate) {
  return static_cast<int32_t>((4000 - 400 * std::fabs(double{coordinate})) - 4000);
}

}  // namespace

AmbientVolumes MixAmbientSound(const D3DXVECTOR3& eye, float fireStartTime, float totalSeconds) {
  AmbientVolumes mix;
  if (eye.y <= 2.5f) {
    mix.wind = audio::kSilentVolume;
    mix.waves = 0;
  }
  // Overlaps the step above between 2.0 and 2.5, and decides there. Above 5.0 nothing changes.
  if (eye.y > 2.0f && eye.y <= 5.0f) {
    const auto level = static_cast<int32_t>((eye.y - 2.0) * 500);
    mix.waves = -level;
    mix.wind = level - 2000;
  }
  // The fire is heard once the fires burn; outside the square around the crater it keeps its
  // last volume.
  if (double{fireStartTime} + DemoPlaySystem::kFiresStart < totalSeconds &&
      std::fabs(eye.x) < 10.0f && std::fabs(eye.z) < 10.0f) {
    mix.fire = (FireAttenuation(eye.x) + FireAttenuation(eye.z)) / 2;
  }
  return mix;
}

void UpdateAmbientSound() {
  if (!g_sound || !g_demo) return;
  const AmbientVolumes mix =
      MixAmbientSound(g_demo->Eye(), g_demo->FireStartTime(), g_timer->totalSeconds);
  if (mix.wind) g_sound->SetVolume("wind", *mix.wind);
  if (mix.waves) g_sound->SetVolume("waves", *mix.waves);
  if (mix.fire) g_sound->SetVolume("fire", *mix.fire);
}
