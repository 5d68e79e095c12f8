#pragma once
// How far the sky's noise layers have slid: a fixed step per frame, back and forth, turning
// once the offset has passed about 0.15 either way (the cloud quad overhangs its target by
// that much, so the layers always cover it).
#include <cstdint>

class CloudDrift {
 public:
  // One frame on: turns first if the offset is past either end, then steps. Returns the offset.
  float Step();
  float Offset() const { return offset_; }
  bool Growing() const { return direction_ == 1; }

 private:
  uint8_t direction_ = 0;  // 1: the offset grows
  float offset_ = 0.0f;
};
