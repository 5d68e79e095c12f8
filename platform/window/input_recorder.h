#pragma once
// Writes live input as an input script (keys, characters, mouse moves, the window's close), so
// a session played by hand can be played again with --input.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "platform/win32.h"

class InputRecorder {
 public:
  // Starts a new script file; false with the reason when it can't be written.
  bool Open(const char* path, std::string* error);
  bool IsOpen() const { return file_ != nullptr; }
  // One event at elapsedMs of the program's clock, as its script line. Each line is on disk
  // when this returns, so a session that ends abruptly keeps what it recorded. A line that
  // can't be written ends the recording, said once on standard error.
  void Record(uint32_t elapsedMs, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  // Flushes what was printed; when either failed, closes the file and keeps why in failure_.
  bool Written(bool printed);

  struct Closer {
    void operator()(FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<FILE, Closer> file_;
  std::string path_;
  std::string failure_;
};
