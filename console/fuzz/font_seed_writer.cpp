// Writes a starting corpus for the font fuzzer from the program's own font: the font itself and
// a few variations of its description. Usage: font_seed_writer DATA_FOLDER CORPUS_FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "console/font_files.h"
#include "console/fuzz/font_input.h"
#include "platform/files.h"

namespace {

void WriteSeed(const std::filesystem::path& folder, const std::string& name,
               const std::string& description, const std::vector<uint8_t>& image) {
  const std::string input = JoinFontInput(description, image);
  std::ofstream(folder / name, std::ios::binary).write(input.data(), std::streamsize(input.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s DATA_FOLDER CORPUS_FOLDER\n", argv[0]);
    return 2;
  }
  const std::filesystem::path data = argv[1], folder = std::filesystem::path(argv[2]) / "font";
  std::vector<uint8_t> image, description;
  std::string error;
  if (!ReadWholeFile((data / "font/FONT_8.bmp").c_str(), FontFiles::kMaxImageBytes, &image,
                     &error) ||
      !ReadWholeFile((data / "font/FONT_8.fon").c_str(), FontFiles::kMaxDescriptionBytes,
                     &description, &error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  std::filesystem::create_directories(folder);
  WriteSeed(folder, "font_8", std::string(description.begin(), description.end()), image);
  WriteSeed(folder, "three", "3 8 8ABC", image);
  WriteSeed(folder, "lines", "2 8 8\r\nA", image);
  WriteSeed(folder, "empty", "0 8 8", image);
  return 0;
}
