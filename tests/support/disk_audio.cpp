#include "disk_audio.h"

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <thread>

#include "patched.h"

namespace {

constexpr const char* kFile = "mixed.raw";
constexpr uintmax_t kBytesPerSecond = DiskAudio::kRate * 4;

uintmax_t MixedBytes() {
  std::error_code error;
  const uintmax_t size = std::filesystem::file_size(kFile, error);
  return error ? 0 : size;
}

}  // namespace

DiskAudio::DiskAudio() {
  setenv("SDL_AUDIODRIVER", "disk", 1);
  setenv("SDL_DISKAUDIOFILE", (std::filesystem::current_path() / kFile).c_str(), 1);
}

DiskAudio::~DiskAudio() {
  unsetenv("SDL_AUDIODRIVER");
  unsetenv("SDL_DISKAUDIOFILE");
}

void DiskAudio::MixFor(double seconds) const {
  const uintmax_t target = MixedBytes() + uintmax_t(seconds * kBytesPerSecond);
  for (int i = 0; i < 2000 && MixedBytes() < target; ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
}

size_t DiskAudio::MixedFrames() const {
  return size_t(MixedBytes() / 4);
}

std::vector<int16_t> DiskAudio::LeftChannel() const {
  std::ifstream file(kFile, std::ios::binary);
  std::vector<int16_t> left;
  int16_t frame[2];
  while (file.read(reinterpret_cast<char*>(frame), sizeof frame)) left.push_back(frame[0]);
  return left;
}

std::string WavBytes(uint16_t format, uint16_t channels, uint32_t rate, uint16_t bits,
                     const std::string& data) {
  const uint32_t block = channels * bits / 8u;
  std::string wav = "RIFF";
  AppendLe(&wav, uint32_t(36 + data.size()), 4);
  wav += "WAVEfmt ";
  for (uint32_t field :
       {16u, format | uint32_t{channels} << 16, rate, rate * block, block | uint32_t{bits} << 16}) {
    AppendLe(&wav, field, 4);
  }
  wav += "data";
  AppendLe(&wav, uint32_t(data.size()), 4);
  return wav + data;
}

std::string ConstantWav(int16_t value, int frames, int rate) {
  std::string samples;
  for (int i = 0; i < frames; ++i) AppendLe(&samples, uint16_t(value), 2);
  return WavBytes(1, 1, uint32_t(rate), 16, samples);
}
