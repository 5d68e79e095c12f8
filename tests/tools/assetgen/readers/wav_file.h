#pragma once
// A RIFF WAVE file's format chunk and 16-bit samples, read independently of the writer.
#include <cstdint>
#include <filesystem>
#include <vector>

namespace assetgen::tests {

class WavFile {
 public:
  explicit WavFile(const std::filesystem::path& path);

  uint32_t riffSize = 0;
  size_t fileSize = 0;
  uint16_t format = 0;
  uint16_t channels = 0;
  uint32_t sampleRate = 0;
  uint32_t byteRate = 0;
  uint16_t blockAlign = 0;
  uint16_t bitsPerSample = 0;
  std::vector<int16_t> samples;

  double Seconds() const { return static_cast<double>(samples.size()) / sampleRate; }
};

}  // namespace assetgen::tests
