#include "gfx/jpeg_decoder.h"

// clang-format off
#include <cstdio>  // jpeglib.h needs FILE declared first
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <bit>
#include <csetjmp>

#include "platform/byte_reader.h"

namespace {

// A header may claim 16384 x 16384 pixels in a few bytes, and libjpeg would make up whatever
// data is missing; no real picture packs more pixels than this into one byte of file.
constexpr uint64_t kMaxPixelsPerByte = 8192;
// Progressive pictures keep every coefficient in memory; beyond this libjpeg gives up.
constexpr long kMaxWorkingMemory = 512L << 20;

// BGRA bytes in memory read back as D3DCOLOR words on a little-endian machine.
static_assert(std::endian::native == std::endian::little);

struct ErrorManager {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

[[noreturn]] void FailDecoding(j_common_ptr info) {
  std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->jump, 1);
}

// libjpeg recovers from corrupt data by itself, but a file that ends early would be padded out
// with made-up pixels: that is a failure here.
void OnMessage(j_common_ptr info, int level) {
  if (level < 0 && info->err->msg_code == JWRN_JPEG_EOF) FailDecoding(info);
}

void DiscardMessage(j_common_ptr) {}

// SOF0 to SOF15, less the three markers that share their range: DHT, JPG and DAC.
bool IsStartOfFrame(uint8_t marker) {
  return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
}

// Everything libjpeg touches across its longjmp lives outside the protected function.
struct JpegInput {
  jpeg_decompress_struct info{};
  ErrorManager errors{};

  JpegInput() {
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = FailDecoding;
    errors.base.emit_message = OnMessage;
    errors.base.output_message = DiscardMessage;
  }
  ~JpegInput() { jpeg_destroy_decompress(&info); }
};

bool Decode(JpegInput& in, std::span<const uint8_t> file, DecodedImage* image) {
  if (setjmp(in.errors.jump)) return false;
  jpeg_create_decompress(&in.info);
  in.info.mem->max_memory_to_use = kMaxWorkingMemory;
  jpeg_mem_src(&in.info, file.data(), static_cast<unsigned long>(file.size()));
  if (jpeg_read_header(&in.info, TRUE) != JPEG_HEADER_OK) return false;
  const uint32_t width = in.info.image_width, height = in.info.image_height;
  if (!IsAcceptableSize(width, height)) return false;
  if (uint64_t{width} * height > file.size() * kMaxPixelsPerByte) return false;

  in.info.out_color_space = JCS_EXT_BGRA;
  jpeg_start_decompress(&in.info);
  // libjpeg writes the rows into our buffer: they must be exactly the size it was made for.
  if (in.info.output_width != width || in.info.output_height != height ||
      in.info.output_components != 4) {
    return false;
  }
  AllocatePixels(image, width, height);
  while (in.info.output_scanline < height) {
    JSAMPROW row = reinterpret_cast<JSAMPROW>(&image->At(0, in.info.output_scanline));
    jpeg_read_scanlines(&in.info, &row, 1);
  }
  jpeg_finish_decompress(&in.info);
  return true;
}

}  // namespace

bool JpegImageSize(std::span<const uint8_t> head, ImageSize* size) {
  // Segments after the start marker, each a marker and a length that counts itself, until a
  // start of frame: precision, then height and width. Stray bytes between segments and markers
  // without a length are skipped, as libjpeg skips them.
  for (size_t at = 2; at + 4 <= head.size();) {
    const uint8_t marker = head[at + 1];
    if (head[at] != 0xFF || marker == 0xFF || marker == 0x00) {
      ++at;
      continue;
    }
    if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD8)) {
      at += 2;
      continue;
    }
    if (marker == 0xD9) return false;  // the end, before any frame
    const uint16_t length = LoadBe16(&head[at + 2]);
    if (IsStartOfFrame(marker)) {
      if (at + 9 > head.size()) return false;
      *size = {LoadBe16(&head[at + 7]), LoadBe16(&head[at + 5])};
      return true;
    }
    // A length below its own two bytes skips just them, as libjpeg reads it.
    at += size_t{2} + std::max<uint16_t>(length, 2);
  }
  return false;
}

bool DecodeJpeg(std::span<const uint8_t> file, DecodedImage* image) {
  image->fileFormat = D3DXIFF_JPG;
  image->hasAlpha = false;
  JpegInput in;
  return Decode(in, file, image);
}
