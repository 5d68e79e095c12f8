#include "gfx/png_writer.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {

// Everything libpng touches across its longjmp lives outside the protected function.
struct PngOutput {
  FILE* file = nullptr;
  png_structp png = nullptr;
  png_infop info = nullptr;

  ~PngOutput() {
    png_destroy_write_struct(&png, info ? &info : nullptr);
    if (file) std::fclose(file);
  }
};

bool Encode(PngOutput& out, unsigned width, unsigned height, png_bytepp rows) {
  if (setjmp(png_jmpbuf(out.png))) return false;
  png_init_io(out.png, out.file);
  png_set_IHDR(out.png, out.info, width, height, 8, PNG_COLOR_TYPE_RGBA, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  png_set_compression_level(out.png, 3);
  png_write_info(out.png, out.info);
  png_write_image(out.png, rows);
  png_write_end(out.png, nullptr);
  return true;
}

}  // namespace

bool WritePng(const char* path, unsigned width, unsigned height, const uint8_t* rgba,
              std::string* error) {
  if (width == 0 || height == 0 || !rgba) {
    *error = "empty image";
    return false;
  }
  PngOutput out;
  out.file = std::fopen(path, "wb");
  if (!out.file) {
    *error = std::string(path) + ": " + std::strerror(errno);
    return false;
  }
  out.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  out.info = out.png ? png_create_info_struct(out.png) : nullptr;
  std::vector<png_bytep> rows(height);
  for (unsigned y = 0; y < height; ++y) {
    rows[y] = const_cast<png_bytep>(rgba + size_t{y} * width * 4);
  }
  if (!out.info || !Encode(out, width, height, rows.data())) {
    *error = std::string(path) + ": PNG encoding failed";
    return false;
  }
  if (std::fclose(out.file) != 0) {
    out.file = nullptr;
    *error = std::string(path) + ": " + std::strerror(errno);
    return false;
  }
  out.file = nullptr;
  return true;
}
