// libFuzzer entry for the bitmap font's files. Sanitizers catch bad memory use; a font that
// parses must also stay within its limits and have every cell of every glyph in its strip.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "console/font_files.h"
#include "console/fuzz/font_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const FontInput input = SplitFontInput({data, size});
  FontFiles font;
  if (!font.Parse(input.image, input.description, nullptr)) return 0;
  const bool withinLimits = font.GlyphCount() <= FontFiles::kMaxGlyphs && font.CellWidth() >= 1 &&
                            font.CellWidth() <= FontFiles::kMaxCellSize && font.CellHeight() >= 1 &&
                            font.CellHeight() <= FontFiles::kMaxCellSize;
  if (!withinLimits) std::abort();
  // Every texel is read once, so a cell outside the strip shows up as a bad read.
  static volatile int ink = 0;
  for (int glyph = 0; glyph < font.GlyphCount(); ++glyph) {
    for (int y = 0; y < font.CellHeight(); ++y) {
      for (int x = 0; x < font.CellWidth(); ++x) ink = ink + font.Inked(glyph, x, y);
    }
  }
  return 0;
}
