#pragma once
// What the program tells the platform beyond the Win32 and Direct3D calls: how to run
// (visible or headless, real or virtual clock, live or scripted input) and which pictures
// are its icon and cursor resources. Set before the window is created.
#include <cstdint>
#include <string>
#include <vector>

class InputScript;

namespace host {

// Starts the window system. Headless runs use an offscreen display and silent audio.
// Returns false with a one-line reason when no display can be used.
bool Start(bool headless, std::string* error);
// Closes the window and the window system; safe to call when nothing was started.
void Stop();
bool IsHeadless();

// timeGetTime reads a real millisecond clock unless a virtual one is chosen: it then starts
// at startMs and moves on stepMs at every Present, so every run sees the same times.
void UseVirtualClock(uint32_t stepMs, uint32_t startMs = 0);
void UseRealClock();
bool ClockIsVirtual();
// Called by Present.
void AdvanceVirtualClock();

// Events of the script are delivered as window messages once the clock reaches their time.
void SetInputScript(const InputScript& script);
// Live keys, characters, mouse moves and the window's close are also written to the file as an
// input script, timed from now, until Stop; false with the reason when it can't be written.
bool RecordInput(const char* path, std::string* error);

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
