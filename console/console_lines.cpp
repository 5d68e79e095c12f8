#include "console/console_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>

#include "platform/files.h"

bool ConsoleLines::OpenLog(const char* fileName) {
  logName_ = HostPath(fileName);
  log_.reset(OpenFile(fileName, "w"));
  if (!log_) StopLogging();
  return log_ != nullptr;
}

void ConsoleLines::Print(const char* text) {
  // A full disk shows only when the line is flushed.
  if (log_ && (std::fprintf(log_.get(), "%s\n", text) < 0 || std::fflush(log_.get()) != 0)) {
    StopLogging();
  }
  // Slot 0 is always blank, so the kept lines move up from slot 1.
  std::copy_backward(slots_.begin() + 1, slots_.end() - 1, slots_.end());
  std::array<char, kSlotBytes>& newest = slots_[1];
  newest.fill('\0');
  std::memcpy(newest.data(), text, strnlen(text, kSlotBytes - 1));
}

void ConsoleLines::Clear() {
  for (auto& slot : slots_) slot.fill('\0');
}

void ConsoleLines::StopLogging() {
  ReportOnce(logName_ + ": cannot write the console log (" + std::strerror(errno) +
             "); the console goes on without it");
  log_.reset();
}
