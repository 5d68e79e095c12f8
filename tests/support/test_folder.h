#pragma once
// A fresh temporary folder that the test runs in, removed afterwards.
#include <filesystem>
#include <string>
#include <vector>

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

// The lines of a text file in the current folder; none when it is missing.
std::vector<std::string> FileLines(const std::string& name);
