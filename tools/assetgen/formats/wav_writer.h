#pragma once
#include <cstdint>
#include <vector>

namespace assetgen {

// RIFF WAVE files holding 16-bit PCM.
class WavWriter {
 public:
  // Samples nominally in -1..1; anything beyond is clipped.
  static std::vector<uint8_t> EncodeMono16(const std::vector<float>& samples, int sampleRate);
};

}  // namespace assetgen
