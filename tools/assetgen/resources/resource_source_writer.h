#pragma once
#include <string>

#include "tools/assetgen/resources/resource_pictures.h"

namespace assetgen {

// The program's icon and cursor as a C++ source file that defines the constants declared in
// program_resources.h, so the pixels are compiled into the program.
class ResourceSourceWriter {
 public:
  static std::string Write(const IconPicture& icon, const CursorPicture& cursor);

 private:
  template <typename Value>
  static void AppendRows(std::string& out, const Value* values, int rows, int columns,
                         bool hexadecimal);
};

}  // namespace assetgen
