// assetgen DIR                 writes the data folder into DIR
// assetgen --resources FILE    writes the icon and cursor pixels as a C++ source file
#include <exception>
#include <iostream>
#include <string_view>

#include "data_folder_writer.h"

namespace {
int usage() {
  std::cerr << "usage: assetgen DIR | assetgen --resources FILE.cpp\n";
  return 2;
}
}  // namespace

int main(int argc, char** argv) {
  try {
    if (argc == 2 && std::string_view(argv[1]).substr(0, 2) != "--") {
      DataFolderWriter(argv[1], std::cout).writeAll();
      return 0;
    }
    return usage();
  } catch (const std::exception& error) {
    std::cerr << "assetgen: " << error.what() << "\n";
    return 1;
  }
}
