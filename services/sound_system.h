#pragma once
// The program's sounds: WAV files loaded under short names ("wind", "waves", ...) and played,
// stopped and turned up or down by name. Volumes are hundredths of a decibel: 0 full, -9600
// silent. Without an audio device everything works and nothing is heard.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/audio.h"
#include "platform/win32.h"

class SoundSystem {
 public:
  SoundSystem() = default;
  // Stops every sound and closes the audio output.
  ~SoundSystem();
  SoundSystem(const SoundSystem&) = delete;
  SoundSystem& operator=(const SoundSystem&) = delete;

  // Opens the audio output, or falls back to silence with one line on standard error. False
  // only when sound can't start at all.
  bool Init(HWND window);
  // Adds the file's sound under name; a file that doesn't load adds nothing and is named on
  // standard error with the reason. A name loaded twice has two entries, and the first is the
  // one found.
  bool Load(const char* fileName, const char* name);
  // Starts another instance at once, looped for ever or once.
  bool Play(const char* name, bool loop);
  // Applies at once to every instance of the sound, playing now or started later.
  bool SetVolume(const char* name, int32_t volume);
  // Stops every instance of the sound.
  bool Stop(const char* name);

 private:
  struct SoundEntry {
    std::string name;  // a copy: callers' strings need not outlive the table
    audio::SoundId sound;
  };
  // The first entry of that name, or none.
  const SoundEntry* Find(const char* name) const;

  bool started_ = false;
  std::vector<SoundEntry> sounds_;
};
