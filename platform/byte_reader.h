#pragma once
// Little-endian reads from an untrusted byte span. A read past the end yields zero and clears
// Ok(), so a decoder reads a whole header and checks once.
#include <cstddef>
#include <cstdint>
#include <span>

class ByteReader {
 public:
  explicit ByteReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  bool Ok() const { return ok_; }
  size_t Offset() const { return offset_; }
  size_t Remaining() const { return ok_ ? bytes_.size() - offset_ : 0; }

  // Moves to an absolute offset; past the end fails.
  void Seek(uint64_t offset);
  void Skip(uint64_t count) { Seek(uint64_t{offset_} + count); }
  uint8_t U8();
  uint16_t U16();
  uint32_t U32();
  int32_t S32() { return static_cast<int32_t>(U32()); }
  // The next count bytes; empty (and not Ok) when fewer remain.
  std::span<const uint8_t> Bytes(uint64_t count);

 private:
  std::span<const uint8_t> bytes_;
  size_t offset_ = 0;
  bool ok_ = true;
};

inline uint16_t LoadLe16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] | p[1] << 8);
}
inline uint32_t LoadLe32(const uint8_t* p) {
  return uint32_t{p[0]} | uint32_t{p[1]} << 8 | uint32_t{p[2]} << 16 | uint32_t{p[3]} << 24;
}
inline uint16_t LoadBe16(const uint8_t* p) {
  return static_cast<uint16_t>(p[0] << 8 | p[1]);
}
inline uint32_t LoadBe32(const uint8_t* p) {
  return uint32_t{p[0]} << 24 | uint32_t{p[1]} << 16 | uint32_t{p[2]} << 8 | p[3];
}
// 1 to 4 bytes, least significant first.
inline uint32_t LoadLe(const uint8_t* p, unsigned count) {
  uint32_t value = 0;
  for (unsigned i = 0; i < count; ++i) value |= uint32_t{p[i]} << (8 * i);
  return value;
}
