#pragma once
// Wind, waves and fire mixed by where the camera is: the waves low over the sea, the wind as it
// climbs, the fire near the crater once it burns.
#include <cstdint>
#include <optional>

#include "gfx/d3dx_vector3.h"

// The volumes to set, in hundredths of a decibel; a sound without one keeps the volume it has.
struct AmbientVolumes {
  std::optional<int32_t> wind;
  std::optional<int32_t> waves;
  std::optional<int32_t> fire;
};

// The mix for a camera at eye, at demo time totalSeconds, with the fire phase begun at
// fireStartTime (infinity while it hasn't).
AmbientVolumes MixAmbientSound(const D3DXVECTOR3& eye, float fireStartTime, float totalSeconds);
// Sets the mix for this frame's camera; runs before the frame is drawn.
void UpdateAmbientSound();
