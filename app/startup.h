#pragma once
// The start-up and shut-down sequences over the application globals.
#include "services/fatal_error.h"

// Takes the settings of the run's configuration, creates the device and its base state, then
// the scene objects. A failing step shows its message and posts the quit request; later steps
// are not run.
void Startup();
// Builds g_ocean, or rebuilds it in place, from the water texture: a grid of gridSize x gridSize
// vertices over extent x extent world units.
bool BuildOcean(int extent, int gridSize);
// Destroys whatever exists, in order, and resets the globals.
void Shutdown();
