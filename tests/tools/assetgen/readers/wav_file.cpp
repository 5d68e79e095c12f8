#include "tests/tools/assetgen/readers/wav_file.h"

#include <stdexcept>
#include <string>

#include "gfx/byte_reader.h"
#include "tests/tools/assetgen/generated_folder.h"

namespace assetgen::tests {

WavFile::WavFile(const std::filesystem::path& path) {
  const std::string bytes = GeneratedFolder::Contents(path);
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  fileSize = bytes.size();
  if (fileSize < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) {
    throw std::runtime_error(path.string() + " is not a WAVE file");
  }
  riffSize = LoadLe32(data + 4);
  // Walk the chunks; each is an id, a length and that many bytes (padded to even).
  for (size_t at = 12; at + 8 <= fileSize;) {
    const uint32_t length = LoadLe32(data + at + 4);
    if (length > fileSize - at - 8) throw std::out_of_range("a chunk runs past the end");
    const uint8_t* body = data + at + 8;
    if (bytes.compare(at, 4, "fmt ") == 0 && length >= 16) {
      format = LoadLe16(body);
      channels = LoadLe16(body + 2);
      sampleRate = LoadLe32(body + 4);
      byteRate = LoadLe32(body + 8);
      blockAlign = LoadLe16(body + 12);
      bitsPerSample = LoadLe16(body + 14);
    } else if (bytes.compare(at, 4, "data") == 0) {
      for (size_t k = 0; k + 1 < length; k += 2) samples.push_back(int16_t(LoadLe16(body + k)));
    }
    at += 8 + length + (length & 1);
  }
}

}  // namespace assetgen::tests
