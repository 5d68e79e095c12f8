#include "console/console_lines.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/files.h"

bool ConsoleLines::OpenLog(const char* fileName) {
  log_.reset(OpenFile(fileName, "w"));
  if (!log_) {
    std::fprintf(stderr, "%s: cannot write it (%s): the console is not logged\n",
                 HostPath(fileName).c_str(), std::strerror(errno));
  }
  return log_ != nullptr;
}

void ConsoleLines::Print(const char* text) {
  if (log_) {
    std::fprintf(log_.get(), "%s\n", text);
    std::fflush(log_.get());
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
