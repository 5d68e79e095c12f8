#include "tests/tools/assetgen/generated_folder.h"

#include <fstream>
#include <iterator>

namespace assetgen::tests {

std::filesystem::path GeneratedFolder::File(const std::string& name) {
  return std::filesystem::path(ASSETGEN_TEST_DATA) / name;
}

std::string GeneratedFolder::Progress() {
  return Contents(ASSETGEN_TEST_PROGRESS);
}

std::string GeneratedFolder::Contents(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

}  // namespace assetgen::tests
