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
  static ByteReader fromFile(const std::filesystem::path& path);

  size_t size() const { return bytes_.size(); }
  uint8_t u8(size_t offset) const;
  uint16_t u16(size_t offset) const;
  uint32_t u32(size_t offset) const;
  int16_t i16(size_t offset) const { return static_cast<int16_t>(u16(offset)); }
  int32_t i32(size_t offset) const { return static_cast<int32_t>(u32(offset)); }
  float f32(size_t offset) const;
  std::string text(size_t offset, size_t length) const;

 private:
  void require(size_t offset, size_t length) const;

  std::vector<uint8_t> bytes_;
};

}  // namespace assetgen::tests
