#include "tools/assetgen/formats/wav_writer.h"

#include <algorithm>
#include <cmath>

#include "tools/assetgen/formats/byte_buffer.h"

namespace assetgen {

std::vector<uint8_t> WavWriter::EncodeMono16(const std::vector<float>& samples, int sampleRate) {
  constexpr uint16_t kChannels = 1;
  constexpr uint16_t kBytesPerSample = 2;
  uint32_t dataBytes = static_cast<uint32_t>(samples.size()) * kBytesPerSample;

  ByteBuffer out;
  out.Text("RIFF");
  out.U32(4 + 8 + 16 + 8 + dataBytes);
  out.Text("WAVE");
  out.Text("fmt ");
  out.U32(16);
  out.U16(1);  // PCM
  out.U16(kChannels);
  out.U32(static_cast<uint32_t>(sampleRate));
  out.U32(static_cast<uint32_t>(sampleRate) * kChannels * kBytesPerSample);
  out.U16(kChannels * kBytesPerSample);
  out.U16(16);
  out.Text("data");
  out.U32(dataBytes);
  for (float sample : samples) {
    out.I16(static_cast<int16_t>(std::lround(std::clamp(sample, -1.f, 1.f) * 32767.f)));
  }
  return out.Bytes();
}

}  // namespace assetgen
