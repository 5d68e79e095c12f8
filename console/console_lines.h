#pragma once
// What the console has printed: the newest lines, kept for showing, and the log file that gets
// every line whole. Slot 0 is the console's input row and stays blank; slot 1 holds the newest
// line, slot 23 the oldest kept.
#include <array>
#include <cstdio>
#include <memory>
#include <string>

class ConsoleLines {
 public:
  static constexpr int kSlots = 24;
  static constexpr int kSlotBytes = 128;  // 127 characters and the terminating zero

  // Starts the log afresh (an existing file is emptied). False when it can't be opened: lines
  // are then kept but not logged.
  bool OpenLog(const char* fileName);
  // Keeps the first 127 characters and logs the whole text. The line is in the file when this
  // returns, so a process that is killed or crashes later loses nothing it printed. A log that
  // can't be opened or written is said once on standard error, and the lines are kept unlogged.
  void Print(const char* text);
  // Blanks every slot; the log keeps what it has.
  void Clear();
  const char* Slot(int k) const { return slots_[k].data(); }

 private:
  struct Closer {
    void operator()(FILE* file) const { std::fclose(file); }
  };

  // Says why the log can't be written, by the last call's errno, and closes it.
  void StopLogging();

  std::array<std::array<char, kSlotBytes>, kSlots> slots_{};
  std::unique_ptr<FILE, Closer> log_;
  std::string logName_;
};
