#pragma once
// How one fuzzer input carries both font files: the description's length in two bytes
// (little-endian), the description, then the image.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

struct FontInput {
  std::span<const uint8_t> image;
  std::span<const uint8_t> description;
};

inline FontInput SplitFontInput(std::span<const uint8_t> data) {
  if (data.size() < 2) return {};
  const size_t length = std::min<size_t>(data[0] | data[1] << 8, data.size() - 2);
  return {data.subspan(2 + length), data.subspan(2, length)};
}

inline std::string JoinFontInput(const std::string& description, std::span<const uint8_t> image) {
  std::string input{char(description.size() & 0xFF), char(description.size() >> 8 & 0xFF)};
  return input + description + std::string(image.begin(), image.end());
}
