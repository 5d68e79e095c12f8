#include "image_files.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE declared first
#include <jpeglib.h>
#include <png.h>
// clang-format on

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

#include "gfx/png_writer.h"
#include "patched.h"

namespace {

class ByteString {
 public:
  ByteString& U8(uint32_t v) {
    bytes_.push_back(static_cast<char>(v & 0xFF));
    return *this;
  }
  ByteString& U16(uint32_t v) { return U8(v).U8(v >> 8); }
  ByteString& U32(uint32_t v) { return U16(v).U16(v >> 16); }
  ByteString& Le(uint32_t v, unsigned count) {
    AppendLe(&bytes_, v, count);
    return *this;
  }
  ByteString& Text(const std::string& s) {
    bytes_ += s;
    return *this;
  }
  void PadTo4(size_t rowStart) {
    while ((bytes_.size() - rowStart) % 4) U8(0);
  }
  size_t Size() const { return bytes_.size(); }
  const std::string& Str() const { return bytes_; }

 private:
  std::string bytes_;
};

void BmpHeaders(ByteString& out, uint32_t width, int32_t height, unsigned bits,
                uint32_t compression, const std::vector<PALETTEENTRY>& palette,
                uint32_t infoSize = 40) {
  const uint32_t dataOffset = 14 + infoSize + static_cast<uint32_t>(palette.size()) * 4;
  out.Text("BM").U32(0).U32(0).U32(dataOffset);
  out.U32(infoSize).U32(width).U32(static_cast<uint32_t>(height)).U16(1).U16(bits);
  out.U32(compression).U32(0).U32(2835).U32(2835);
  out.U32(static_cast<uint32_t>(palette.size())).U32(0);
  for (const PALETTEENTRY& e : palette) out.U8(e.peBlue).U8(e.peGreen).U8(e.peRed).U8(0);
}

void DdsHeader(ByteString& out, uint32_t width, uint32_t height, uint32_t formatFlags,
               const char* fourCc, uint32_t bits, const uint32_t (&masks)[4]) {
  out.Text("DDS ").U32(124).U32(0x1007).U32(height).U32(width).U32(0).U32(0).U32(0);
  for (int i = 0; i < 11; ++i) out.U32(0);
  out.U32(32).U32(formatFlags);
  (fourCc ? out.Text(std::string(fourCc, 4)) : out.U32(0)).U32(bits);
  for (uint32_t m : masks) out.U32(m);
  out.U32(0x1000).U32(0).U32(0).U32(0).U32(0);
}

// The value a TGA pixel of this kind stores for a colour.
uint32_t TgaValue(TgaKind kind, const TestPicture& p, uint32_t x, uint32_t y) {
  const D3DCOLOR c = p.Color(x, y);
  const uint32_t a = c >> 24, r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
  auto five = [](uint32_t v) { return (v * 31 + 127) / 255; };
  switch (kind) {
    case TgaKind::kColorMapped:
      return p.indices[size_t{y} * p.width + x];
    case TgaKind::kTrueColor16:
      return (a >= 128 ? 0x8000u : 0) | five(r) << 10 | five(g) << 5 | five(b);
    case TgaKind::kTrueColor24:
      return c & 0xFFFFFF;
    case TgaKind::kTrueColor32:
      return c;
    case TgaKind::kGrey:
      return r;
  }
  return 0;
}

// The bytes of a pixel, in TgaKind's order.
constexpr unsigned kTgaPixelBytes[] = {1, 2, 3, 4, 1};

void TgaPackets(ByteString& out, const std::vector<uint32_t>& values, unsigned bytes, bool rle) {
  if (!rle) {
    for (uint32_t v : values) out.Le(v, bytes);
    return;
  }
  for (size_t i = 0; i < values.size();) {
    size_t run = 1;
    while (i + run < values.size() && run < 128 && values[i + run] == values[i]) ++run;
    if (run >= 2) {
      out.U8(0x80 | (run - 1)).Le(values[i], bytes);
      i += run;
      continue;
    }
    size_t raw = 1;
    while (i + raw < values.size() && raw < 128 &&
           (i + raw + 1 >= values.size() || values[i + raw] != values[i + raw + 1])) {
      ++raw;
    }
    out.U8(raw - 1);
    for (size_t k = 0; k < raw; ++k) out.Le(values[i + k], bytes);
    i += raw;
  }
}

}  // namespace

D3DCOLOR TestPicture::Color(uint32_t x, uint32_t y) const {
  return PaletteColor(palette[indices[size_t{y} * width + x]]);
}

std::vector<D3DCOLOR> TestPicture::Colors() const {
  std::vector<D3DCOLOR> colors;
  for (uint32_t y = 0; y < height; ++y) {
    for (uint32_t x = 0; x < width; ++x) colors.push_back(Color(x, y));
  }
  return colors;
}

TestPicture SamplePicture(uint32_t width, uint32_t height, uint32_t colors) {
  TestPicture p;
  p.width = width;
  p.height = height;
  for (uint32_t k = 0; k < colors; ++k) {
    p.palette.push_back({static_cast<BYTE>(k * 53 + 17), static_cast<BYTE>(k * 101 + 90),
                         static_cast<BYTE>(k * 29 + 200), 0xFF});
  }
  uint32_t state = 12345;
  for (uint32_t i = 0; i < width * height; ++i) {
    state = state * 1103515245 + 12345;
    p.indices.push_back(static_cast<uint8_t>((state >> 16) % colors));
  }
  return p;
}

std::vector<PALETTEENTRY> FullPalette(const TestPicture& picture) {
  std::vector<PALETTEENTRY> full = picture.palette;
  full.resize(kPaletteSize, PALETTEENTRY{0, 0, 0, 0xFF});
  return full;
}

std::string BmpFile(const TestPicture& p, unsigned bits, RowOrder order) {
  ByteString out;
  const int32_t height = order == RowOrder::kTopDown ? -int32_t(p.height) : int32_t(p.height);
  BmpHeaders(out, p.width, height, bits, 0, bits <= 8 ? p.palette : std::vector<PALETTEENTRY>());
  for (uint32_t i = 0; i < p.height; ++i) {
    const uint32_t y = order == RowOrder::kTopDown ? i : p.height - 1 - i;
    const size_t rowStart = out.Size();
    if (bits <= 8) {
      uint32_t acc = 0, used = 0;
      for (uint32_t x = 0; x < p.width; ++x) {
        acc = acc << bits | p.indices[size_t{y} * p.width + x];
        used += bits;
        if (used == 8) out.U8(acc), acc = 0, used = 0;
      }
      if (used) out.U8(acc << (8 - used));
    } else {
      for (uint32_t x = 0; x < p.width; ++x) out.Le(p.Color(x, y) & 0xFFFFFF, bits / 8);
    }
    out.PadTo4(rowStart);
  }
  return out.Str();
}

std::string BmpRleWrap(uint32_t width, uint32_t height, const std::vector<PALETTEENTRY>& palette,
                       const std::string& stream, unsigned bits) {
  ByteString out;
  BmpHeaders(out, width, int32_t(height), bits, bits == 8 ? 1 : 2, palette);
  return out.Text(stream).Str();
}

std::string BmpRle8File(const TestPicture& p) {
  ByteString out;
  for (uint32_t i = 0; i < p.height; ++i) {
    const uint8_t* row = &p.indices[size_t{p.height - 1 - i} * p.width];
    for (uint32_t x = 0; x < p.width;) {
      uint32_t run = 1;
      while (x + run < p.width && run < 255 && row[x + run] == row[x]) ++run;
      uint32_t literal = 1;
      while (x + literal < p.width && literal < 255 &&
             (x + literal + 1 >= p.width || row[x + literal] != row[x + literal + 1])) {
        ++literal;
      }
      if (run >= 2 || literal < 3) {
        out.U8(run).U8(row[x]);
        x += run;
      } else {
        out.U8(0).U8(literal);
        for (uint32_t k = 0; k < literal; ++k) out.U8(row[x + k]);
        if (literal % 2) out.U8(0);
        x += literal;
      }
    }
    out.U8(0).U8(0);
  }
  out.U8(0).U8(1);
  return BmpRleWrap(p.width, p.height, p.palette, out.Str());
}

std::string BmpBitFieldsFile(uint32_t width, uint32_t height, unsigned bits,
                             const uint32_t (&masks)[4], const std::vector<uint32_t>& pixels) {
  ByteString out;
  BmpHeaders(out, width, int32_t(height), bits, 3, {}, 56);
  for (uint32_t m : masks) out.U32(m);
  for (uint32_t i = 0; i < height; ++i) {
    const size_t rowStart = out.Size();
    for (uint32_t x = 0; x < width; ++x)
      out.Le(pixels[size_t{height - 1 - i} * width + x], bits / 8);
    out.PadTo4(rowStart);
  }
  return out.Str();
}

std::string TgaFile(const TestPicture& p, TgaKind kind, bool rle, uint8_t orientation) {
  const bool mapped = kind == TgaKind::kColorMapped;
  const unsigned bytes = kTgaPixelBytes[static_cast<int>(kind)];
  const uint8_t baseType = mapped ? 1 : kind == TgaKind::kGrey ? 3 : 2;
  const uint8_t alphaBits = kind == TgaKind::kTrueColor32 ? 8 : kind == TgaKind::kTrueColor16;
  ByteString out;
  out.U8(3).U8(mapped).U8(baseType + (rle ? 8 : 0));
  out.U16(0).U16(mapped ? uint32_t(p.palette.size()) : 0).U8(mapped ? 24 : 0);
  out.U16(0).U16(0).U16(p.width).U16(p.height).U8(bytes == 2 ? 16 : bytes * 8);
  out.U8(orientation | alphaBits);
  out.Text("abc");
  if (mapped) {
    for (const PALETTEENTRY& e : p.palette) out.U8(e.peBlue).U8(e.peGreen).U8(e.peRed);
  }
  std::vector<uint32_t> values;
  for (uint32_t i = 0; i < p.height; ++i) {
    const uint32_t y = (orientation & kTgaTopToBottom) ? i : p.height - 1 - i;
    for (uint32_t j = 0; j < p.width; ++j) {
      const uint32_t x = (orientation & kTgaRightToLeft) ? p.width - 1 - j : j;
      values.push_back(TgaValue(kind, p, x, y));
    }
  }
  TgaPackets(out, values, bytes, rle);
  return out.Str();
}

std::string DdsArgbFile(uint32_t width, uint32_t height, const std::vector<D3DCOLOR>& pixels) {
  ByteString out;
  DdsHeader(out, width, height, 0x41, nullptr, 32,
            {0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000});
  for (D3DCOLOR c : pixels) out.U32(c);
  return out.Str();
}

std::string DdsDxtFile(uint32_t width, uint32_t height, const char* fourCc,
                       const std::string& blocks) {
  ByteString out;
  DdsHeader(out, width, height, 0x4, fourCc, 0, {0, 0, 0, 0});
  return out.Text(blocks).Str();
}

std::string PngFile(uint32_t width, uint32_t height, const std::vector<D3DCOLOR>& pixels) {
  std::vector<uint8_t> rgba;
  for (D3DCOLOR c : pixels) {
    for (int shift : {16, 8, 0, 24}) rgba.push_back(static_cast<uint8_t>(c >> shift));
  }
  const auto path = std::filesystem::temp_directory_path() /
                    ("vulcara-test-" + std::to_string(std::random_device{}()) + ".png");
  std::string error;
  if (!WritePng(path.c_str(), width, height, rgba.data(), &error)) return {};
  const std::string file = ReadFileBytes(path);
  std::filesystem::remove(path);
  return file;
}

std::string PngPalettedFile(const TestPicture& p) {
  std::vector<uint8_t> colormap;
  for (const PALETTEENTRY& e : p.palette) {
    colormap.insert(colormap.end(), {e.peRed, e.peGreen, e.peBlue, e.peFlags});
  }
  png_image image{};
  image.version = PNG_IMAGE_VERSION;
  image.width = p.width;
  image.height = p.height;
  image.format = PNG_FORMAT_RGBA_COLORMAP;
  image.colormap_entries = static_cast<png_uint_32>(p.palette.size());
  std::string file(1 << 16, '\0');
  png_alloc_size_t size = file.size();
  if (!png_image_write_to_memory(&image, file.data(), &size, 0, p.indices.data(), 0,
                                 colormap.data())) {
    return {};
  }
  file.resize(size);
  return file;
}

std::string JpegFile(uint32_t width, uint32_t height, const std::vector<D3DCOLOR>& pixels,
                     int quality, bool progressive, bool grey) {
  jpeg_compress_struct info{};
  jpeg_error_mgr errors{};
  info.err = jpeg_std_error(&errors);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = width;
  info.image_height = height;
  info.input_components = grey ? 1 : 3;
  info.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, quality, TRUE);
  for (int i = 0; i < info.num_components; ++i) {
    info.comp_info[i].h_samp_factor = 1;
    info.comp_info[i].v_samp_factor = 1;
  }
  if (progressive) jpeg_simple_progression(&info);
  jpeg_start_compress(&info, TRUE);
  std::vector<JSAMPLE> row;
  for (uint32_t y = 0; y < height; ++y) {
    row.clear();
    for (uint32_t x = 0; x < width; ++x) {
      const D3DCOLOR c = pixels[size_t{y} * width + x];
      for (int shift : {16, 8, 0}) {
        if (!grey || shift == 0) row.push_back(static_cast<JSAMPLE>(c >> shift));
      }
    }
    JSAMPROW rows[] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::string bytes(reinterpret_cast<const char*>(buffer), size);
  std::free(buffer);
  return bytes;
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}
