#include "console/font_files.h"

#include <algorithm>

#include "platform/byte_reader.h"

namespace {

constexpr uint64_t kHeaderBytes = 54;
constexpr uint64_t kInkEntryOffset = kHeaderBytes + 4;  // palette entry 1: blue, green, red
// Larger numbers stop growing here: every check below refuses them.
constexpr int64_t kNumberCeiling = int64_t{1} << 40;

bool Fail(const std::string& reason, std::string* error) {
  if (error) *error = reason;
  return false;
}

// The description as a text file: a number read the way "%d" reads one, then single bytes with
// each carriage return and line feed pair read as one line feed.
class DescriptionReader {
 public:
  explicit DescriptionReader(std::span<const uint8_t> bytes) : bytes_(bytes) {}

  bool Number(int64_t* value) {
    while (at_ < bytes_.size() && IsBlank(bytes_[at_])) ++at_;
    const bool negative = at_ < bytes_.size() && bytes_[at_] == '-';
    if (at_ < bytes_.size() && (bytes_[at_] == '-' || bytes_[at_] == '+')) ++at_;
    const size_t digits = at_;
    int64_t magnitude = 0;
    for (; at_ < bytes_.size() && bytes_[at_] >= '0' && bytes_[at_] <= '9'; ++at_) {
      magnitude = std::min(magnitude * 10 + (bytes_[at_] - '0'), kNumberCeiling);
    }
    *value = negative ? -magnitude : magnitude;
    return at_ > digits;
  }

  bool Character(char* c) {
    if (at_ >= bytes_.size()) return false;
    const bool lineEnd = bytes_[at_] == '\r' && at_ + 1 < bytes_.size() && bytes_[at_ + 1] == '\n';
    if (lineEnd) ++at_;
    *c = static_cast<char>(bytes_[at_++]);
    return true;
  }

 private:
  static bool IsBlank(uint8_t c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
};

bool IsCellSize(int64_t side) {
  return side >= 1 && side <= FontFiles::kMaxCellSize;
}

}  // namespace

bool FontFiles::Parse(std::span<const uint8_t> image, std::span<const uint8_t> description,
                      std::string* error) {
  *this = FontFiles();
  Header header;
  if (ReadHeader(image, &header, error) && ReadDescription(description, error) &&
      CutStrip(image, header, error)) {
    return true;
  }
  *this = FontFiles();
  return false;
}

bool FontFiles::ReadHeader(std::span<const uint8_t> image, Header* header, std::string* error) {
  if (image.size() < kHeaderBytes) {
    return Fail("the image is " + std::to_string(image.size()) + " bytes, too short for a header",
                error);
  }
  ByteReader r(image);
  r.Seek(10);
  header->pixelOffset = r.U32();
  r.Seek(18);
  const int32_t width = r.S32(), height = r.S32();
  r.Seek(28);
  const uint16_t bitsPerPixel = r.U16();
  const uint32_t compression = r.U32();
  const uint64_t blockSize = r.U32();
  // One byte is read per pixel, so a 4-bit image would be read past its end.
  if (bitsPerPixel != 8) {
    return Fail("the image has " + std::to_string(bitsPerPixel) +
                    " bits per pixel; only 8-bit images are read",
                error);
  }
  if (compression != 0) return Fail("the image is compressed", error);
  if (width <= 0 || height <= 0) {
    return Fail("the image's size " + std::to_string(width) + " x " + std::to_string(height) +
                    " is not a bottom-up picture",
                error);
  }
  header->width = static_cast<uint64_t>(width);
  header->height = static_cast<uint64_t>(height);
  if (header->pixelOffset > image.size() || blockSize > image.size() - header->pixelOffset) {
    return Fail("the image's pixel block of " + std::to_string(blockSize) + " bytes at offset " +
                    std::to_string(header->pixelOffset) + " runs past the file's end",
                error);
  }
  if (blockSize < header->width * header->height) {
    return Fail("the image's pixel block of " + std::to_string(blockSize) + " bytes is smaller " +
                    "than its " + std::to_string(width) + " x " + std::to_string(height) +
                    " pixels",
                error);
  }
  return true;
}

bool FontFiles::ReadDescription(std::span<const uint8_t> description, std::string* error) {
  DescriptionReader reader(description);
  int64_t count = 0, width = 0, height = 0;
  if (!reader.Number(&count) || !reader.Number(&width) || !reader.Number(&height)) {
    return Fail("the description does not start with three numbers", error);
  }
  if (!IsCellSize(width) || !IsCellSize(height)) {
    return Fail("the description's cell size " + std::to_string(width) + " x " +
                    std::to_string(height) + " is outside 1 to " + std::to_string(kMaxCellSize),
                error);
  }
  if (count > kMaxGlyphs) {
    return Fail("the description's glyph count " + std::to_string(count) + " is more than " +
                    std::to_string(kMaxGlyphs),
                error);
  }
  cellWidth_ = static_cast<int>(width);
  cellHeight_ = static_cast<int>(height);
  for (int64_t i = 0; i < count; ++i) {
    char c = 0;
    if (!reader.Character(&c)) {
      return Fail("the description lists " + std::to_string(i) + " of its " +
                      std::to_string(count) + " characters",
                  error);
    }
    characters_.push_back(c);
  }
  return true;
}

bool FontFiles::CutStrip(std::span<const uint8_t> image, const Header& header, std::string* error) {
  const uint64_t stripWidth = uint64_t(GlyphCount()) * uint64_t(cellWidth_);
  if (GlyphCount() > 0 && (stripWidth > header.width || uint64_t(cellHeight_) > header.height)) {
    return Fail("the image of " + std::to_string(header.width) + " x " +
                    std::to_string(header.height) + " pixels is too small for " +
                    std::to_string(GlyphCount()) + " cells of " + std::to_string(cellWidth_) +
                    " x " + std::to_string(cellHeight_),
                error);
  }
  if (image.size() >= kInkEntryOffset + 3) {
    const uint8_t* ink = image.data() + kInkEntryOffset;
    paletteInk_ =
        static_cast<uint16_t>(0xF000 | (ink[2] >> 4) << 8 | (ink[1] >> 4) << 4 | ink[0] >> 4);
  }
  // Rows are stored bottom-up, each exactly the image's width, without padding.
  strip_.resize(stripWidth * uint64_t(cellHeight_));
  for (uint64_t y = 0; y < uint64_t(cellHeight_) && stripWidth > 0; ++y) {
    const uint8_t* row = image.data() + header.pixelOffset + (header.height - 1 - y) * header.width;
    std::copy_n(row, stripWidth, strip_.begin() + y * stripWidth);
  }
  return true;
}

bool FontFiles::Inked(int glyph, int x, int y) const {
  const size_t stripWidth = characters_.size() * size_t(cellWidth_);
  return strip_[size_t(y) * stripWidth + size_t(glyph) * cellWidth_ + x] != 0;
}
