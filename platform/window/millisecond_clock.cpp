#include "platform/window/millisecond_clock.h"

#include <chrono>

#include "platform/host.h"
#include "platform/win32.h"

namespace {

uint32_t RealMilliseconds() {
  using namespace std::chrono;
  // Truncation to 32 bits is the point: the counter wraps like the system's.
  return static_cast<uint32_t>(
      duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

}  // namespace

MillisecondClock::MillisecondClock() = default;

uint32_t MillisecondClock::Now() const {
  return virtual_ ? virtualNow_ : RealMilliseconds();
}

void MillisecondClock::UseVirtual(uint32_t stepMs, uint32_t startMs) {
  virtual_ = true;
  stepMs_ = stepMs;
  virtualNow_ = startMs;
}

void MillisecondClock::UseReal() {
  virtual_ = false;
}

void MillisecondClock::Advance() {
  if (virtual_) virtualNow_ += stepMs_;
}

MillisecondClock& ProgramClock() {
  static MillisecondClock clock;
  return clock;
}

DWORD timeGetTime() {
  return ProgramClock().Now();
}

namespace host {

void UseVirtualClock(uint32_t stepMs, uint32_t startMs) {
  ProgramClock().UseVirtual(stepMs, startMs);
}
void UseRealClock() {
  ProgramClock().UseReal();
}
void AdvanceVirtualClock() {
  ProgramClock().Advance();
}

}  // namespace host
