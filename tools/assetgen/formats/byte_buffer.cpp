#include "tools/assetgen/formats/byte_buffer.h"

#include <bit>

namespace assetgen {

void ByteBuffer::U8(uint8_t value) {
  bytes_.push_back(value);
}

void ByteBuffer::U16(uint16_t value) {
  U8(static_cast<uint8_t>(value & 0xFF));
  U8(static_cast<uint8_t>(value >> 8));
}

void ByteBuffer::U32(uint32_t value) {
  U16(static_cast<uint16_t>(value & 0xFFFF));
  U16(static_cast<uint16_t>(value >> 16));
}

void ByteBuffer::I16(int16_t value) {
  U16(static_cast<uint16_t>(value));
}

void ByteBuffer::I32(int32_t value) {
  U32(static_cast<uint32_t>(value));
}

void ByteBuffer::F32(float value) {
  U32(std::bit_cast<uint32_t>(value));
}

// Byte by byte like the numbers: a range insert here draws a false overflow warning from
// GCC 12 once link-time optimisation inlines it into a caller.
void ByteBuffer::Text(std::string_view chars) {
  for (char c : chars) U8(static_cast<uint8_t>(c));
}

void ByteBuffer::FixedText(std::string_view chars, size_t width) {
  std::string_view kept = chars.substr(0, width);
  Text(kept);
  Zeros(width - kept.size());
}

void ByteBuffer::Zeros(size_t count) {
  bytes_.insert(bytes_.end(), count, 0);
}

void ByteBuffer::Append(const ByteBuffer& other) {
  bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
}

}  // namespace assetgen
