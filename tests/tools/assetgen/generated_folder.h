#pragma once
// The data folder the build generated for these tests (fresh, default config.ini).
#include <filesystem>
#include <string>

namespace assetgen::tests {

class GeneratedFolder {
 public:
  static std::filesystem::path File(const std::string& name);
  static std::string Progress();  // what the generator printed while writing the folder
  // A file's bytes; none when it is missing.
  static std::string Contents(const std::filesystem::path& path);
};

}  // namespace assetgen::tests
