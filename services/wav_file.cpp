#include "services/wav_file.h"

#include <span>
#include <string>

#include "gfx/byte_reader.h"
#include "platform/files.h"

namespace {

// Minutes of sound at the program's rate, several times its longest sound.
constexpr uint64_t kMaxFileBytes = 8u << 20;
// Converting to the mixer's rate may not multiply a sound's size by much.
constexpr uint32_t kMinRate = 8000;
constexpr uint32_t kMaxRate = 96000;
constexpr uint16_t kPcm = 1;

constexpr uint32_t FourCc(char a, char b, char c, char d) {
  return uint32_t(uint8_t(a)) | uint32_t(uint8_t(b)) << 8 | uint32_t(uint8_t(c)) << 16 |
         uint32_t(uint8_t(d)) << 24;
}

struct WavFormat {
  uint16_t tag = 0;
  uint16_t channels = 0;
  uint32_t rate = 0;
  uint16_t blockAlign = 0;
  uint16_t bits = 0;
};

WavFormat ReadFormat(ByteReader& reader) {
  WavFormat format;
  format.tag = reader.U16();
  format.channels = reader.U16();
  format.rate = reader.U32();
  reader.U32();  // bytes per second: follows from the rest
  format.blockAlign = reader.U16();
  format.bits = reader.U16();
  return format;
}

bool Playable(const WavFormat& f) {
  return f.tag == kPcm && (f.channels == 1 || f.channels == 2) && (f.bits == 8 || f.bits == 16) &&
         f.blockAlign == f.channels * f.bits / 8 && f.rate >= kMinRate && f.rate <= kMaxRate;
}

// The format chunk comes before the data; chunks of other kinds are skipped.
bool ParseWav(std::span<const uint8_t> bytes, audio::PcmSound* sound) {
  ByteReader reader(bytes);
  const uint32_t riff = reader.U32();
  reader.U32();  // the RIFF size: often wrong, the chunks say what is there
  if (riff != FourCc('R', 'I', 'F', 'F') || reader.U32() != FourCc('W', 'A', 'V', 'E')) {
    return false;
  }
  WavFormat format;
  while (reader.Ok() && reader.Remaining() >= 8) {
    const uint32_t id = reader.U32();
    const uint32_t size = reader.U32();
    const uint64_t next = uint64_t{reader.Offset()} + size + (size & 1);
    if (id == FourCc('f', 'm', 't', ' ')) {
      if (size < 16) return false;
      format = ReadFormat(reader);
    } else if (id == FourCc('d', 'a', 't', 'a')) {
      if (!Playable(format)) return false;
      const std::span<const uint8_t> data = reader.Bytes(size - size % format.blockAlign);
      if (!reader.Ok() || data.empty()) return false;
      *sound = {int(format.rate), format.channels, format.bits, {data.begin(), data.end()}};
      return true;
    }
    reader.Seek(next);
  }
  return false;
}

}  // namespace

bool ReadWavFile(const char* fileName, audio::PcmSound* sound) {
  std::vector<uint8_t> bytes;
  std::string error;
  return ReadWholeFile(fileName, kMaxFileBytes, &bytes, &error) && ParseWav(bytes, sound);
}
