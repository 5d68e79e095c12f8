#include "platform/window/input_recorder.h"

#include <cerrno>
#include <cstring>

#include "platform/files.h"
#include "platform/window/input_script.h"

namespace {

constexpr char kHeader[] = "# recorded input: seconds of the program's clock, then the event\n";

}  // namespace

bool InputRecorder::Open(const char* path, std::string* error) {
  path_ = path;
  file_.reset(std::fopen(path, "w"));
  if (Written(file_ && std::fputs(kHeader, file_.get()) >= 0)) return true;
  *error = failure_;
  return false;
}

void InputRecorder::Record(uint32_t elapsedMs, UINT message, WPARAM wParam, LPARAM lParam) {
  const std::string event = ScriptEventOf(message, wParam, lParam);
  if (!file_ || event.empty()) return;
  const bool printed = std::fprintf(file_.get(), "%u.%03u %s\n", elapsedMs / 1000, elapsedMs % 1000,
                                    event.c_str()) >= 0;
  if (!Written(printed)) ReportOnce(failure_ + "; the recording stops here");
}

bool InputRecorder::Written(bool printed) {
  // A full disk shows only when the line is flushed.
  if (printed && std::fflush(file_.get()) == 0) return true;
  failure_ = path_ + ": cannot write the input recording (" + std::strerror(errno) + ")";
  file_.reset();
  return false;
}
