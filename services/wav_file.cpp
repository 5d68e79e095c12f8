#include "services/wav_file.h"

#include "platform/byte_reader.h"
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
  uint16_t tag = 0;  // 0 until the format chunk is read
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

bool Fail(const std::string& why, std::string* reason) {
  *reason = why;
  return false;
}

// Why the mixer can't play sound of this format, or nothing.
std::string Unplayable(const WavFormat& f) {
  if (f.tag == 0) return "sound data before its format";
  if (f.tag != kPcm) return "samples encoded as format " + std::to_string(f.tag) + ", not PCM";
  if (f.channels != 1 && f.channels != 2) {
    return std::to_string(f.channels) + " channels, not one or two";
  }
  if (f.bits != 8 && f.bits != 16) return std::to_string(f.bits) + "-bit samples, not 8 or 16";
  if (f.blockAlign != f.channels * f.bits / 8) {
    return "blocks of " + std::to_string(f.blockAlign) + " bytes, which do not fit its samples";
  }
  if (f.rate < kMinRate || f.rate > kMaxRate) {
    return "a rate of " + std::to_string(f.rate) + " Hz, outside " + std::to_string(kMinRate) +
           " to " + std::to_string(kMaxRate);
  }
  return {};
}

}  // namespace

// The format chunk comes before the data; chunks of other kinds are skipped.
bool ParseWav(std::span<const uint8_t> bytes, audio::PcmSound* sound, std::string* reason) {
  ByteReader reader(bytes);
  const uint32_t riff = reader.U32();
  reader.U32();  // the RIFF size: often wrong, the chunks say what is there
  if (riff != FourCc('R', 'I', 'F', 'F') || reader.U32() != FourCc('W', 'A', 'V', 'E')) {
    return Fail("not a RIFF WAVE file", reason);
  }
  WavFormat format;
  while (reader.Ok() && reader.Remaining() >= 8) {
    const uint32_t id = reader.U32();
    const uint32_t size = reader.U32();
    const uint64_t next = uint64_t{reader.Offset()} + size + (size & 1);
    if (id == FourCc('f', 'm', 't', ' ')) {
      if (size < 16) return Fail("a format chunk too short for a format", reason);
      format = ReadFormat(reader);
    } else if (id == FourCc('d', 'a', 't', 'a')) {
      if (const std::string why = Unplayable(format); !why.empty()) return Fail(why, reason);
      if (size > reader.Remaining()) {
        return Fail("sound data of " + std::to_string(size) + " bytes, past the file's end",
                    reason);
      }
      const std::span<const uint8_t> data = reader.Bytes(size - size % format.blockAlign);
      if (data.empty()) return Fail("no whole sample in its data", reason);
      *sound = {int(format.rate), format.channels, format.bits, {data.begin(), data.end()}};
      return true;
    }
    reader.Seek(next);
  }
  return Fail("no sound data", reason);
}

bool ReadWavFile(const char* fileName, audio::PcmSound* sound, std::string* error) {
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(fileName, kMaxFileBytes, &bytes, error)) return false;
  if (ParseWav(bytes, sound, error)) return true;
  *error = HostPath(fileName) + ": " + *error;
  return false;
}
