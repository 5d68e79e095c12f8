#include "tools/assetgen/resources/resource_source_writer.h"

#include <cstdio>

namespace assetgen {

template <typename Value>
void ResourceSourceWriter::AppendRows(std::string& out, const Value* values, int rows, int columns,
                                      bool hexadecimal) {
  for (int row = 0; row < rows; ++row) {
    out += "     ";
    for (int column = 0; column < columns; ++column) {
      char number[16];
      unsigned value = values[row * columns + column];
      std::snprintf(number, sizeof number, hexadecimal ? " 0x%08X," : " %u,", value);
      out += number;
    }
    out += "\n";
  }
}

std::string ResourceSourceWriter::Write(const IconPicture& icon, const CursorPicture& cursor) {
  std::string out =
      "// Written by assetgen --resources: the window icon and the mouse cursor.\n"
      "#include \"program_resources.h\"\n\n"
      "const IconPixels kVolcanoIcon = {\n    {\n";
  AppendRows(out, icon.palette.data(), 4, 4, true);
  out += "    },\n    {\n";
  AppendRows(out, icon.index.data(), kResourceSize, kResourceSize, false);
  out += "    },\n};\n\nconst CursorPixels kArrowCursor = {\n    {\n";
  AppendRows(out, cursor.pixel.data(), kResourceSize, kResourceSize, false);
  out += "    },\n    " + std::to_string(cursor.hotX) + ",\n    " + std::to_string(cursor.hotY) +
         ",\n};\n";
  return out;
}

}  // namespace assetgen
