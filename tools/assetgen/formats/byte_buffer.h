#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

namespace assetgen {

// Little-endian byte assembly for the binary file writers.
class ByteBuffer {
 public:
  void U8(uint8_t value);
  void U16(uint16_t value);
  void U32(uint32_t value);
  void I16(int16_t value);
  void I32(int32_t value);
  void F32(float value);
  void Text(std::string_view chars);
  // Writes the text into a field of fixed width, padded with zero bytes (and cut if longer).
  void FixedText(std::string_view chars, size_t width);
  void Zeros(size_t count);
  void Append(const ByteBuffer& other);

  size_t Size() const { return bytes_.size(); }
  const std::vector<uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace assetgen
