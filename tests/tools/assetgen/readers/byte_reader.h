#pragma once
// Little-endian fields at given offsets of a file's bytes; every read is bounds-checked and
// throws std::out_of_range past the end, so a short or damaged file fails its test cleanly.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace assetgen::tests {

class ByteReader {
 public:
  explicit ByteReader(std::vector<uint8_t> bytes) : bytes_(std::move(bytes)) {}
  static ByteReader FromFile(const std::filesystem::path& path);

  size_t Size() const { return bytes_.size(); }
  uint8_t U8(size_t offset) const;
  uint16_t U16(size_t offset) const;
  uint32_t U32(size_t offset) const;
  int16_t I16(size_t offset) const { return static_cast<int16_t>(U16(offset)); }
  int32_t I32(size_t offset) const { return static_cast<int32_t>(U32(offset)); }
  float F32(size_t offset) const;
  std::string Text(size_t offset, size_t length) const;

 private:
  void Require(size_t offset, size_t length) const;

  std::vector<uint8_t> bytes_;
};

}  // namespace assetgen::tests
