#include "test_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <random>

TestFolder::TestFolder() {
  const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
  std::string name = std::string("vulcara-") + (test ? test->name() : "test") + "-" +
                     std::to_string(std::random_device{}());
  path_ = std::filesystem::temp_directory_path() / name;
  std::filesystem::create_directories(path_);
  previous_ = std::filesystem::current_path();
  std::filesystem::current_path(path_);
}

TestFolder::~TestFolder() {
  std::filesystem::current_path(previous_);
  std::error_code ignored;
  std::filesystem::remove_all(path_, ignored);
}

void TestFolder::Write(const std::string& name, const std::string& contents) const {
  std::ofstream(path_ / name, std::ios::binary) << contents;
}

void TestFolder::CopyFrom(const std::filesystem::path& folder) const {
  std::filesystem::copy(
      folder, path_,
      std::filesystem::copy_options::recursive | std::filesystem::copy_options::overwrite_existing);
}

std::vector<std::string> FileLines(const std::string& name) {
  std::ifstream file(name);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}
