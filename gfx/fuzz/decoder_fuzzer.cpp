// libFuzzer entry for one image decoder, the one FUZZ_DECODER names at build time, with its size
// reader FUZZ_SIZE. Sanitizers catch bad memory use; a picture that decodes must also be whole,
// within the limits, and of the size its header gave, since the loader refuses files by that.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "gfx/bmp_decoder.h"
#include "gfx/dds_decoder.h"
#include "gfx/jpeg_decoder.h"
#include "gfx/png_decoder.h"
#include "gfx/tga_decoder.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  DecodedImage image;
  if (!FUZZ_DECODER({data, size}, &image)) return 0;
  ImageSize header;
  const bool sized = FUZZ_SIZE({data, size}, &header) && header.width == image.width &&
                     header.height == image.height;
  const bool whole = sized && IsAcceptableSize(image.width, image.height) &&
                     image.pixels.size() == size_t{image.width} * image.height &&
                     (image.palette.empty() || image.palette.size() == kPaletteSize);
  if (!whole) std::abort();
  return 0;
}
