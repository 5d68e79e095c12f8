#include "tests/tools/assetgen/readers/byte_reader.h"

#include <bit>
#include <fstream>
#include <iterator>
#include <stdexcept>

namespace assetgen::tests {

ByteReader ByteReader::FromFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path.string());
  return ByteReader({std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()});
}

void ByteReader::Require(size_t offset, size_t length) const {
  if (offset > bytes_.size() || length > bytes_.size() - offset) {
    throw std::out_of_range("read of " + std::to_string(length) + " bytes at " +
                            std::to_string(offset) + " in a file of " +
                            std::to_string(bytes_.size()));
  }
}

uint8_t ByteReader::U8(size_t offset) const {
  Require(offset, 1);
  return bytes_[offset];
}

uint16_t ByteReader::U16(size_t offset) const {
  Require(offset, 2);
  return static_cast<uint16_t>(bytes_[offset] | bytes_[offset + 1] << 8);
}

uint32_t ByteReader::U32(size_t offset) const {
  return U16(offset) | static_cast<uint32_t>(U16(offset + 2)) << 16;
}

float ByteReader::F32(size_t offset) const {
  return std::bit_cast<float>(U32(offset));
}

std::string ByteReader::Text(size_t offset, size_t length) const {
  Require(offset, length);
  return std::string(bytes_.begin() + offset, bytes_.begin() + offset + length);
}

}  // namespace assetgen::tests
