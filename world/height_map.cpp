#include "world/height_map.h"

#include <cstdint>
#include <cstdio>

#include "gfx/byte_reader.h"
#include "platform/files.h"
#include "world/grid_mesh.h"

namespace {

constexpr long kHeaderSize = 34;               // through the compression field
constexpr float k24BitFactor = 0.0013037809f;  // the float nearest 1 / 767

struct Header {
  uint32_t dataOffset;
  int32_t width;
  int32_t height;
  uint16_t bitsPerPixel;
  uint32_t compression;
};

bool ReadHeader(FILE* file, Header* header) {
  uint8_t bytes[kHeaderSize];
  if (std::fread(bytes, 1, sizeof bytes, file) != sizeof bytes) return false;
  header->dataOffset = LoadLe32(bytes + 10);
  header->width = static_cast<int32_t>(LoadLe32(bytes + 18));
  header->height = static_cast<int32_t>(LoadLe32(bytes + 22));
  header->bitsPerPixel = LoadLe16(bytes + 28);
  header->compression = LoadLe32(bytes + 30);
  return true;
}

// Only maps the grid can draw: positive sizes, at most a 16-bit index's worth of samples.
bool Usable(const Header& h) {
  return h.compression == 0 && (h.bitsPerPixel == 8 || h.bitsPerPixel == 24) && h.width > 0 &&
         h.height > 0 && int64_t{h.width} * h.height <= kMaxGridVertices;
}

}  // namespace

bool HeightMap::Load(const char* fileName, float heightScale) {
  width_ = height_ = 0;
  samples_.clear();
  FILE* file = OpenFile(fileName, "rb");
  if (!file) return false;
  Header h{};
  bool ok = ReadHeader(file, &h) && Usable(h) &&
            std::fseek(file, static_cast<long>(h.dataOffset), SEEK_SET) == 0;
  std::vector<uint8_t> pixels;
  if (ok) {
    size_t bytesPerSample = h.bitsPerPixel / 8;
    pixels.resize(size_t(h.width) * size_t(h.height) * bytesPerSample);
    ok = std::fread(pixels.data(), 1, pixels.size(), file) == pixels.size();
  }
  std::fclose(file);
  if (!ok) return false;

  width_ = h.width;
  height_ = h.height;
  samples_.resize(size_t(h.width) * size_t(h.height));
  for (size_t k = 0; k < samples_.size(); ++k) {
    samples_[k] = h.bitsPerPixel == 8
                      ? static_cast<float>(pixels[k]) * (1.0f / 255.0f) * heightScale
                      : static_cast<float>(pixels[3 * k] + pixels[3 * k + 1] + pixels[3 * k + 2]) *
                            k24BitFactor * heightScale;
  }
  return true;
}
