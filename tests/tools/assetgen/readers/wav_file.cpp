#include "tests/tools/assetgen/readers/wav_file.h"

#include <stdexcept>

#include "tests/tools/assetgen/readers/byte_reader.h"

namespace assetgen::tests {

WavFile::WavFile(const std::filesystem::path& path) {
  ByteReader bytes = ByteReader::FromFile(path);
  if (bytes.Text(0, 4) != "RIFF" || bytes.Text(8, 4) != "WAVE") {
    throw std::runtime_error(path.string() + " is not a WAVE file");
  }
  riffSize = bytes.U32(4);
  fileSize = bytes.Size();
  // Walk the chunks; each is an id, a length and that many bytes (padded to even).
  for (size_t at = 12; at + 8 <= bytes.Size();) {
    std::string id = bytes.Text(at, 4);
    uint32_t length = bytes.U32(at + 4);
    if (id == "fmt ") {
      format = bytes.U16(at + 8);
      channels = bytes.U16(at + 10);
      sampleRate = bytes.U32(at + 12);
      byteRate = bytes.U32(at + 16);
      blockAlign = bytes.U16(at + 20);
      bitsPerSample = bytes.U16(at + 22);
    } else if (id == "data") {
      bytes.Text(at + 8, length);  // the whole chunk must be there
      for (size_t k = 0; k + 1 < length; k += 2) samples.push_back(bytes.I16(at + 8 + k));
    }
    at += 8 + length + (length & 1);
  }
}

}  // namespace assetgen::tests
