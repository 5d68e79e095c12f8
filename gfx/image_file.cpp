#include "gfx/image_file.h"

#include <algorithm>

#include "gfx/image_decoder.h"
#include "platform/d3d8/format_info.h"
#include "platform/files.h"

namespace {

// Room beyond four bytes a pixel that a picture's file may need: headers, palettes, metadata.
constexpr uint64_t kFileOverheadBytes = 16 << 20;

bool Fail(const char* name, const std::string& why, std::string* error) {
  *error = HostPath(name) + ": " + why;
  return false;
}

std::string SizeText(ImageSize size) {
  return std::to_string(size.width) + " x " + std::to_string(size.height);
}

}  // namespace

uint64_t LoadedTextureBytes(ImageSize size) {
  return TextureBytes(size.width, size.height, FullMipChain(size.width, size.height),
                      D3DFMT_A8R8G8B8);
}

bool ReadImageFile(const char* name, std::vector<uint8_t>* bytes, ImageSize* size,
                   std::string* error) {
  InputFile file;
  if (!file.Open(name, error)) return false;
  if (!file.Read(0, std::min<uint64_t>(file.Size(), kImageHeadBytes), bytes)) {
    return Fail(name, "cannot read it", error);
  }
  if (!ReadImageSize(*bytes, size)) {
    return Fail(name, "not a BMP, TGA, DDS, PNG or JPEG picture the loader reads", error);
  }
  if (!IsAcceptableSize(size->width, size->height)) {
    return Fail(name, "a picture of " + SizeText(*size) + ", beyond the sizes a picture may have",
                error);
  }
  if (LoadedTextureBytes(*size) > kMaxTextureBytes) {
    return Fail(name,
                "a picture of " + SizeText(*size) + ", whose texture takes " +
                    InMiB(LoadedTextureBytes(*size)) + ", more than the " +
                    InMiB(kMaxTextureBytes) + " one texture may take",
                error);
  }
  const uint64_t needed = std::min(
      file.Size(), uint64_t{size->width} * size->height * sizeof(D3DCOLOR) + kFileOverheadBytes);
  if (needed <= bytes->size() || file.Read(0, needed, bytes)) return true;
  return Fail(name, "cannot read it", error);
}
