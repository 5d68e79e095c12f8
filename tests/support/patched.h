#pragma once
// A copy of a valid file's bytes with one field spoilt: value written little-endian over the
// `width` bytes at offset.
#include <cstddef>
#include <cstdint>
#include <string>

inline std::string Patched(std::string bytes, size_t offset, uint32_t value, unsigned width = 4) {
  std::string field;
  for (unsigned i = 0; i < width; ++i) field += static_cast<char>(value >> (8 * i));
  return bytes.replace(offset, width, field);
}
