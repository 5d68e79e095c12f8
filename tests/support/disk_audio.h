#pragma once
// Sends the sound output opened from now on to a file, through SDL's disk audio driver, so that
// a test can hear what was mixed: 22050 frames a second of 16-bit stereo.
#include <cstdint>
#include <string>
#include <vector>

class DiskAudio {
 public:
  static constexpr int kRate = 22050;

  DiskAudio();
  ~DiskAudio();
  DiskAudio(const DiskAudio&) = delete;
  DiskAudio& operator=(const DiskAudio&) = delete;

  // Waits until that much more sound has been mixed, however busy the machine is.
  void MixFor(double seconds) const;
  size_t MixedFrames() const;
  // The left channel of everything mixed; complete once the output is closed.
  std::vector<int16_t> LeftChannel() const;
};

// A WAV file: a format chunk of these fields (format 1 is PCM), then a data chunk of data.
std::string WavBytes(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits,
                     const std::string& data);

// A 16-bit mono WAV file of frames samples of one value: what is heard tells which sounds play,
// and how loud.
std::string ConstantWav(int16_t value, int frames, int rate = DiskAudio::kRate);
