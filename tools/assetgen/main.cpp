// assetgen DIR                 writes the data folder into DIR
// assetgen --resources FILE    writes the icon and cursor pixels as a C++ source file
// assetgen --package DIR       writes the desktop icons and the default config.ini into DIR
#include <exception>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include "tools/assetgen/data_folder_writer.h"
#include "tools/assetgen/resources/arrow_cursor.h"
#include "tools/assetgen/resources/resource_source_writer.h"
#include "tools/assetgen/resources/volcano_icon.h"

namespace {
void WriteResources(const char* path) {
  std::string source = assetgen::ResourceSourceWriter::Write(assetgen::VolcanoIcon::Draw(),
                                                             assetgen::ArrowCursor::Draw());
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << source;
  if (!out) throw std::runtime_error(std::string("cannot write ") + path);
  std::cout << "wrote " << path << " (" << source.size() << " bytes)" << std::endl;
}

int Usage() {
  std::cerr << "usage: assetgen DIR | assetgen --resources FILE.cpp | assetgen --package DIR\n";
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 2 && std::string_view(argv[1]).substr(0, 2) != "--") {
      assetgen::DataFolderWriter(argv[1], std::cout).WriteAll();
      return 0;
    }
    if (argc == 3 && std::string_view(argv[1]) == "--resources") {
      WriteResources(argv[2]);
      return 0;
    }
    if (argc == 3 && std::string_view(argv[1]) == "--package") {
      assetgen::DataFolderWriter(argv[2], std::cout).WritePackageFiles();
      return 0;
    }
    return Usage();
  } catch (const std::exception& error) {
    std::cerr << "assetgen: " << error.what() << "\n";
    return 1;
  }
}
