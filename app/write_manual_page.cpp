// write_manual_page FILE: writes the program's manual page, for the package.
#include <cstdio>
#include <fstream>

#include "app/manual_page.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_manual_page FILE\n");
    return 2;
  }
  std::ofstream(argv[1], std::ios::binary | std::ios::trunc) << ManualPage(VULCARA_VERSION);
  return std::ifstream(argv[1]) ? 0 : 1;
}
