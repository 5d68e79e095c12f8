#pragma once
// The data folder the build generated for these tests (fresh, default config.ini), and a way
// to run the generator again.
#include <filesystem>
#include <string>

namespace assetgen::tests {

class GeneratedFolder {
 public:
  static std::filesystem::path File(const std::string& name);
  static std::string Progress();  // what the generator printed while writing the folder
  // A file's bytes; none when it is missing.
  static std::string Contents(const std::filesystem::path& path);

  // Runs the generator into a folder and returns what it printed; throws if it fails.
  static std::string RunGenerator(const std::filesystem::path& folder);
  static std::filesystem::path FreshTemporaryFolder(const std::string& name);
};

}  // namespace assetgen::tests
