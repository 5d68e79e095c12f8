#include "tests/tools/assetgen/generated_folder.h"

#include <cstring>
#include <stdexcept>

#include "gfx/image_decoder.h"
#include "image_files.h"
#include "services/wav_file.h"

namespace assetgen::tests {

std::filesystem::path GeneratedFile(const std::string& name) {
  return std::filesystem::path(ASSETGEN_TEST_DATA) / name;
}

Picture::Picture(const std::string& name) {
  const std::string bytes = ReadFileBytes(GeneratedFile(name));
  if (!DecodeImage({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()}, &image_)) {
    throw std::runtime_error("the program cannot decode " + name);
  }
}

Pixel Picture::ColourAt(int x, int y) const {
  if (x < 0 || y < 0 || x >= Width() || y >= Height()) throw std::out_of_range("pixel outside");
  const D3DCOLOR c = image_.At(static_cast<uint32_t>(x), static_cast<uint32_t>(y));
  return {static_cast<uint8_t>(c >> 16), static_cast<uint8_t>(c >> 8), static_cast<uint8_t>(c)};
}

Pixel Picture::PaletteEntry(int index) const {
  const PALETTEENTRY& e = image_.palette.at(static_cast<size_t>(index));
  return {e.peRed, e.peGreen, e.peBlue};
}

GeneratedSound::GeneratedSound(const std::string& name) {
  audio::PcmSound sound;
  std::string error;
  if (!ReadWavFile(GeneratedFile(name).c_str(), &sound, &error)) throw std::runtime_error(error);
  sampleRate = sound.sampleRate;
  channels = sound.channels;
  bitsPerSample = sound.bitsPerSample;
  if (bitsPerSample == 16) {
    samples.resize(sound.samples.size() / 2);
    std::memcpy(samples.data(), sound.samples.data(), samples.size() * 2);
  }
}

}  // namespace assetgen::tests
