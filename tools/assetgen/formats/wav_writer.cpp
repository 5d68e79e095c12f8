#include "tools/assetgen/formats/wav_writer.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/formats/byte_buffer.h"

namespace assetgen {

std::vector<uint8_t> WavWriter::encodeMono16(const std::vector<float>& samples, int sampleRate) {
  constexpr uint16_t kChannels = 1;
  constexpr uint16_t kBytesPerSample = 2;
  uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * kBytesPerSample;

  ByteBuffer out;
  out.text("RIFF");
  out.u32(4 + 8 + 16 + 8 + dataBytes);
  out.text("WAVE");
  out.text("fmt ");
  out.u32(16);
  out.u16(1);  // PCM
  out.u16(kChannels);
  out.u32(static_cast<uint32_t>(sampleRate));
  out.u32(static_cast<uint32_t>(sampleRate) * kChannels * kBytesPerSample);
  out.u16(kChannels * kBytesPerSample);
  out.u16(16);
  out.text("data");
  out.u32(dataBytes);
  for (float sample : samples) {
    out.i16(static_cast<int16_t>(std::lround(std::clamp(sample, -1.f, 1.f) * 32767.f)));
  }
  return out.bytes();
}

}  // namespace assetgen
