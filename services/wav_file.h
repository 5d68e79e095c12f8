#pragma once
// Sounds from RIFF WAVE files: uncompressed PCM, 8 or 16 bits, mono or stereo. The files come
// from outside: every chunk is checked against the bytes actually read, and the size and sample
// rate are bounded so that no file can make the mixer's copy of it large.
#include <cstdint>
#include <span>
#include <string>

#include "platform/audio.h"

// The file's sound; false, with a reason that names the file, when it is missing, too large,
// or not such a WAV file.
bool ReadWavFile(const char* fileName, audio::PcmSound* sound, std::string* error);
// The sound of a WAV file's bytes; false with the reason when they don't hold one.
bool ParseWav(std::span<const uint8_t> bytes, audio::PcmSound* sound, std::string* reason);
