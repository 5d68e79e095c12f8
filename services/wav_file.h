#pragma once
// Sounds from RIFF WAVE files: uncompressed PCM, 8 or 16 bits, mono or stereo. The files come
// from outside: every chunk is checked against the bytes actually read, and the size and sample
// rate are bounded so that no file can make the mixer's copy of it large.
#include "platform/audio.h"

// The file's sound; false when the file is missing, too large, or not such a WAV file.
bool ReadWavFile(const char* fileName, audio::PcmSound* sound);
