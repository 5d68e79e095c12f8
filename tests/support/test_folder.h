#pragma once
// A fresh temporary folder that the test runs in, removed afterwards.
#include <filesystem>
#include <string>

class TestFolder {
 public:
  TestFolder();
  ~TestFolder();
  const std::filesystem::path& Path() const { return path_; }
  // Writes a file in the folder.
  void Write(const std::string& name, const std::string& contents) const;
  // Copies a folder's contents in, sub-folders included.
  void CopyFrom(const std::filesystem::path& folder) const;

 private:
  std::filesystem::path path_;
  std::filesystem::path previous_;
};
