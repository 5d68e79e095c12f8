#include "tests/tools/assetgen/generated_folder.h"

#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <stdexcept>

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

std::filesystem::path GeneratedFolder::FreshTemporaryFolder(const std::string& name) {
  std::filesystem::path path = std::filesystem::temp_directory_path() /
                               ("assetgen_test_" + std::to_string(getpid()) + "_" + name);
  std::filesystem::remove_all(path);
  std::filesystem::create_directories(path);
  return path;
}

std::string GeneratedFolder::RunGenerator(const std::filesystem::path& folder) {
  std::string command = std::string("\"") + ASSETGEN_PROGRAM + "\" \"" + folder.string() + "\"";
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) throw std::runtime_error("cannot start " + command);
  std::string output;
  char chunk[256];
  while (size_t n = fread(chunk, 1, sizeof chunk, pipe)) output.append(chunk, n);
  if (pclose(pipe) != 0) throw std::runtime_error(command + " failed:\n" + output);
  return output;
}

}  // namespace assetgen::tests
