// Writes a starting corpus for the WAV reader's fuzzer: small files of every kind the reader
// plays, and the chunk layouts it must find its way through. Usage: wav_seed_writer FOLDER
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <utility>
#include <vector>

#include "disk_audio.h"

namespace {

std::vector<std::pair<std::string, std::string>> Seeds() {
  const std::string samples("\x10\x80\x7f\x01\xff\x00\x40\xc0", 8);
  std::string listed = WavBytes(1, 2, 22050, 16, samples);
  // A LIST chunk of odd size, padded, between the format and the data.
  listed.insert(36, std::string("LIST\x03\x00\x00\x00"
                                "abc\x00",
                                12));
  return {{"mono16.wav", ConstantWav(1000, 4)},
          {"stereo8.wav", WavBytes(1, 2, 8000, 8, samples)},
          {"mono8-96k.wav", WavBytes(1, 1, 96000, 8, samples)},
          {"listed.wav", listed}};
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) {
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    for (const auto& [name, bytes] : Seeds())
      std::ofstream(folder / name, std::ios::binary) << bytes;
    return 0;
  }
  std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
  return 2;
}
