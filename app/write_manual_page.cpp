// write_manual_page FILE: writes the program's manual page, for the package.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>

#include "app/manual_page.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: write_manual_page FILE\n");
    return 2;
  }
  // A full disk shows only when the buffer is flushed, so the stream is judged after closing.
  errno = 0;
  std::ofstream out(argv[1], std::ios::binary | std::ios::trunc);
  out << ManualPage(VULCARA_VERSION);
  out.close();
  if (!out) {
    std::fprintf(stderr, "write_manual_page: cannot write %s: %s\n", argv[1],
                 errno ? std::strerror(errno) : "the write failed");
    return 1;
  }
  return 0;
}
