#include "tools/assetgen/formats/byte_buffer.h"

#include <bit>

namespace assetgen {

void ByteBuffer::u8(uint8_t value) {
  bytes_.push_back(value);
}

void ByteBuffer::u16(uint16_t value) {
  u8(static_cast<uint8_t>(value & 0xFF));
  u8(static_cast<uint8_t>(value >> 8));
}

void ByteBuffer::u32(uint32_t value) {
  u16(static_cast<uint16_t>(value & 0xFFFF));
  u16(static_cast<uint16_t>(value >> 16));
}

void ByteBuffer::i16(int16_t value) {
  u16(static_cast<uint16_t>(value));
}

void ByteBuffer::i32(int32_t value) {
  u32(static_cast<uint32_t>(value));
}

void ByteBuffer::f32(float value) {
  u32(std::bit_cast<uint32_t>(value));
}

void ByteBuffer::text(std::string_view chars) {
  bytes_.insert(bytes_.end(), chars.begin(), chars.end());
}

void ByteBuffer::fixedText(std::string_view chars, size_t width) {
  std::string_view kept = chars.substr(0, width);
  text(kept);
  zeros(width - kept.size());
}

void ByteBuffer::zeros(size_t count) {
  bytes_.insert(bytes_.end(), count, 0);
}

void ByteBuffer::append(const ByteBuffer& other) {
  bytes_.insert(bytes_.end(), other.bytes_.begin(), other.bytes_.end());
}

}  // namespace assetgen
