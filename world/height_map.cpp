#include "world/height_map.h"

#include <cstdint>
#include <string>
#include <vector>

#include "platform/byte_reader.h"
#include "platform/files.h"
#include "world/grid_mesh.h"

namespace {

constexpr uint64_t kHeaderSize = 34;           // through the compression field
constexpr float k24BitFactor = 0.0013037809f;  // the float nearest 1 / 767

struct Header {
  uint32_t dataOffset;
  int32_t width;
  int32_t height;
  uint16_t bitsPerPixel;
  uint32_t compression;
};

void ParseHeader(const std::vector<uint8_t>& bytes, Header* header) {
  header->dataOffset = LoadLe32(&bytes[10]);
  header->width = static_cast<int32_t>(LoadLe32(&bytes[18]));
  header->height = static_cast<int32_t>(LoadLe32(&bytes[22]));
  header->bitsPerPixel = LoadLe16(&bytes[28]);
  header->compression = LoadLe32(&bytes[30]);
}

// Why the grid can't be drawn from the map, or nothing: it needs uncompressed 8- or 24-bit
// samples, positive sizes and at most a 16-bit index's worth of samples.
std::string Unusable(const Header& h) {
  if (h.compression != 0 || (h.bitsPerPixel != 8 && h.bitsPerPixel != 24)) {
    return "not an uncompressed 8- or 24-bit map";
  }
  if (h.width <= 0 || h.height <= 0 || int64_t{h.width} * h.height > kMaxGridVertices) {
    return "a map of " + std::to_string(h.width) + " x " + std::to_string(h.height) +
           " samples, not 1 to " + std::to_string(kMaxGridVertices);
  }
  return {};
}

// Says once why the map can't be used.
bool Fail(const char* fileName, const std::string& why) {
  ReportOnce(HostPath(fileName) + ": " + why);
  return false;
}

}  // namespace

bool HeightMap::Load(const char* fileName, float heightScale) {
  width_ = height_ = 0;
  samples_.clear();
  InputFile file;
  std::vector<uint8_t> bytes;
  std::string error;
  if (!file.Open(fileName, &error)) {
    ReportOnce(error);
    return false;
  }
  if (!file.Read(0, kHeaderSize, &bytes)) return Fail(fileName, "too short for a map's header");
  Header h{};
  ParseHeader(bytes, &h);
  // Only a usable map's samples are read: at most a 16-bit grid's worth.
  if (const std::string why = Unusable(h); !why.empty()) return Fail(fileName, why);
  const uint64_t bytesPerSample = h.bitsPerPixel / 8;
  if (!file.Read(h.dataOffset, uint64_t(h.width) * uint64_t(h.height) * bytesPerSample, &bytes)) {
    return Fail(fileName, "its samples run past the file's end");
  }

  width_ = h.width;
  height_ = h.height;
  samples_.resize(size_t(h.width) * size_t(h.height));
  for (size_t k = 0; k < samples_.size(); ++k) {
    samples_[k] = h.bitsPerPixel == 8
                      ? static_cast<float>(bytes[k]) * (1.0f / 255.0f) * heightScale
                      : static_cast<float>(bytes[3 * k] + bytes[3 * k + 1] + bytes[3 * k + 2]) *
                            k24BitFactor * heightScale;
  }
  return true;
}
