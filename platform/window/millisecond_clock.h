#pragma once
// The clock behind timeGetTime: real milliseconds that wrap in 32 bits, or a virtual clock
// that moves only when told to (one step per presented frame).
#include <cstdint>

class MillisecondClock {
 public:
  MillisecondClock();
  uint32_t Now() const;
  void UseVirtual(uint32_t stepMs, uint32_t startMs);
  void UseReal();
  void Advance();

 private:
  bool virtual_ = false;
  uint32_t virtualNow_ = 0;
  uint32_t stepMs_ = 0;
};

// The program's one clock: what timeGetTime reads and the host's clock controls set. It needs no
// window, so drawing code that times itself runs in tests without one.
MillisecondClock& ProgramClock();
