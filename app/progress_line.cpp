#include "app/progress_line.h"

#include <cinttypes>
#include <cstdio>

namespace {

constexpr std::chrono::milliseconds kRedrawEvery{250};

std::string MinutesAndSeconds(double seconds) {
  const long whole = long(seconds + 0.5);
  char text[32];
  std::snprintf(text, sizeof text, "%ld:%02ld", whole / 60, whole % 60);
  return text;
}

}  // namespace

ProgressLine::ProgressLine(std::string label, uint64_t total)
    : label_(std::move(label)), total_(total), start_(std::chrono::steady_clock::now()) {}

void ProgressLine::Update(uint64_t done) {
  const auto now = std::chrono::steady_clock::now();
  if (done == 0 || (drawn_ && now - lastDrawn_ < kRedrawEvery && done < total_)) return;
  const double elapsed = std::chrono::duration<double>(now - start_).count();
  const double left = done < total_ ? elapsed * double(total_ - done) / double(done) : 0.0;
  // Blanks at the end wipe what a longer line left.
  std::fprintf(stderr, "\r%s: frame %" PRIu64 " of %" PRIu64 ", %s elapsed, %s left   ",
               label_.c_str(), done, total_, MinutesAndSeconds(elapsed).c_str(),
               MinutesAndSeconds(left).c_str());
  std::fflush(stderr);
  lastDrawn_ = now;
  drawn_ = true;
}

void ProgressLine::End() {
  if (drawn_) std::fputc('\n', stderr);
  drawn_ = false;
}
