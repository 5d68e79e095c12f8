#pragma once
// What the program tells the platform beyond the Win32 and Direct3D calls: the run's description,
// from which the platform takes how to run (visible or headless, real or virtual clock, live,
// scripted or recorded input, the sound outputs), and which pictures are its icon and cursor
// resources.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/run_description.h"

namespace host {

// Takes over the run's description and starts the window system: headless runs use an offscreen
// display. The clock, the scripted input and the recording of live input are set up from it.
// False with a one-line reason when no display can be used or the recording can't be written.
bool Start(RunDescription run, std::string* error);
// Closes the window and the window system, ends the recording and goes back to the real clock
// and a default description; safe to call when nothing was started.
void Stop();
// The description the platform was started with (a default one before that).
const RunDescription& Run();

// timeGetTime reads a real millisecond clock unless a virtual one is chosen: it then starts
// at startMs and moves on stepMs at every Present, so every run sees the same times. Start
// chooses from the run; drawing code's tests that need no window choose here.
void UseVirtualClock(uint32_t stepMs, uint32_t startMs = 0);
void UseRealClock();
// Called by Present.
void AdvanceVirtualClock();

// A resource picture: ARGB pixels, rows top to bottom, with a hot spot for cursors.
struct ResourceImage {
  int width = 0;
  int height = 0;
  int hotX = 0;
  int hotY = 0;
  std::vector<uint32_t> argb;
};
void RegisterResource(int id, ResourceImage image);

}  // namespace host
