#pragma once
// Little-endian fields of the files the tests write: value in `width` bytes appended, or written
// over the bytes at offset of a copy of a valid file, to spoil one field.
#include <cstddef>
#include <cstdint>
#include <string>

inline void AppendLe(std::string* bytes, uint32_t value, unsigned width = 4) {
  for (unsigned i = 0; i < width; ++i) bytes->push_back(static_cast<char>(value >> (8 * i)));
}

inline std::string Patched(std::string bytes, size_t offset, uint32_t value, unsigned width = 4) {
  std::string field;
  AppendLe(&field, value, width);
  return bytes.replace(offset, width, field);
}
