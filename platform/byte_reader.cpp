#include "platform/byte_reader.h"

void ByteReader::Seek(uint64_t offset) {
  if (!ok_ || offset > bytes_.size()) {
    ok_ = false;
    return;
  }
  offset_ = static_cast<size_t>(offset);
}

std::span<const uint8_t> ByteReader::Bytes(uint64_t count) {
  if (!ok_ || count > bytes_.size() - offset_) {
    ok_ = false;
    return {};
  }
  const auto view = bytes_.subspan(offset_, static_cast<size_t>(count));
  offset_ += static_cast<size_t>(count);
  return view;
}

uint8_t ByteReader::U8() {
  const auto b = Bytes(1);
  return b.empty() ? 0 : b[0];
}

uint16_t ByteReader::U16() {
  const auto b = Bytes(2);
  return b.empty() ? 0 : LoadLe16(b.data());
}

uint32_t ByteReader::U32() {
  const auto b = Bytes(4);
  return b.empty() ? 0 : LoadLe32(b.data());
}
