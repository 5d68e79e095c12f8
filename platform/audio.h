#pragma once
// Sound output: decoded PCM sounds played as instances on a mixer, each sound with one volume
// that every instance of it follows at once. Without an audio device the calls still succeed
// and nothing is heard, so a machine without sound runs the program unchanged.
#include <cstdint>
#include <string>
#include <vector>

namespace audio {

// Interleaved samples: 8-bit unsigned or 16-bit signed little-endian, one or two channels.
struct PcmSound {
  int sampleRate = 0;
  int channels = 0;
  int bitsPerSample = 0;
  std::vector<uint8_t> samples;
};

// The mix: interleaved 16-bit stereo at this many frames a second.
constexpr int kMixRate = 22050;

using SoundId = int;
constexpr SoundId kNoSound = -1;

enum class OpenResult {
  kOpened,  // playing on the audio device
  kSilent,  // no device could be opened: everything is accepted and nothing is heard
  kFailed,  // the mixer cannot be set up (or is already open)
};
// Opens the sound output the run's description asks for: the mixer on the default device (or
// silence without one), and for a recording the offline mix as well. Unless kOpened, *reason
// says why in one line.
OpenResult Open(std::string* reason);
// Stops everything, forgets every sound and closes the mixer; safe when nothing is open.
void Close();

// What the mixer may keep of all sounds together, in its format of 22,050 frames a second of
// 16-bit stereo: three minutes, six times the half minute of the program's five sounds. A sound
// is refused before it is converted when its share would pass what is left.
constexpr uint64_t kSoundBudgetBytes = 16u << 20;

// Takes a copy of the sound in the mixer's format; kNoSound, with the reason, when it can't be
// converted or would pass kSoundBudgetBytes, or nothing is open.
SoundId Load(const PcmSound& sound, std::string* reason);
// Starts another instance at once, looped for ever or once; false when none can start.
bool Play(SoundId sound, bool loop);
// Volumes are hundredths of a decibel: 0 is full, this (or less) is silent.
constexpr int32_t kSilentVolume = -9600;

// Hundredths of a decibel, up to 0. Applies at once to every instance
// of the sound, playing now or started later.
bool SetVolume(SoundId sound, int32_t volume);
// Stops every instance of the sound.
bool Stop(SoundId sound);
void StopAll();

// For recordings that follow the program's clock rather than the device's: the next frames of
// the offline mix, with the same voices, volumes, loops and stops as the live output (and also
// without an audio device); silence when the run records nothing.
void MixOffline(int16_t* interleavedStereo, int frames);

}  // namespace audio
