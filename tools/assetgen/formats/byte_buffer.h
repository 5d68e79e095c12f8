#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace assetgen {

// Little-endian byte assembly for the binary file writers.
class ByteBuffer {
 public:
  void u8(uint8_t value);
  void u16(uint16_t value);
  void u32(uint32_t value);
  void i16(int16_t value);
  void i32(int32_t value);
  void f32(float value);
  void text(std::string_view chars);
  // Writes the text into a field of fixed width, padded with zero bytes (and cut if longer).
  void fixedText(std::string_view chars, size_t width);
  void zeros(size_t count);
  void append(const ByteBuffer& other);

  size_t size() const { return bytes_.size(); }
  const std::vector<uint8_t>& bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace assetgen
