#pragma once
// The data folder the build generated for these tests (fresh, default config.ini).
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

namespace assetgen::tests {

class GeneratedFolder {
 public:
  static std::filesystem::path File(const std::string& name) {
    return std::filesystem::path(ASSETGEN_TEST_DATA) / name;
  }
  // What the generator printed while writing the folder.
  static std::string Progress() { return Contents(ASSETGEN_TEST_PROGRESS); }
  // A file's bytes; none when it is missing.
  static std::string Contents(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }
};

}  // namespace assetgen::tests
