#pragma once
// Frame-time statistics for benchmark runs.
#include <cstddef>
#include <string>
#include <vector>

#include "platform/d3d8.h"

struct FrameSummary {
  size_t frames = 0;
  double wallSeconds = 0;
  double meanMs = 0;
  double medianMs = 0;
  double p95Ms = 0;
  double p99Ms = 0;
  double worstMs = 0;
  double cpuMsPerFrame = 0;
  // Device work per frame, averaged.
  double draws = 0;
  double backendDraws = 0;
  double programSwitches = 0;
  double textureUploads = 0;
  double bytesUploaded = 0;
  // What exists at the first and the last frame: steady counts show nothing leaks.
  uint32_t texturesAliveFirst = 0;
  uint32_t texturesAliveLast = 0;
  uint32_t buffersAliveFirst = 0;
  uint32_t buffersAliveLast = 0;
};

class FrameStatistics {
 public:
  void Add(double frameMs, const DeviceCounters& counters);
  FrameSummary Summarize(double wallSeconds, double cpuSeconds) const;
  size_t Frames() const { return frameMs_.size(); }

 private:
  std::vector<double> frameMs_;
  DeviceCounters totals_;
  DeviceCounters first_;
  DeviceCounters last_;
};

std::string FormatSummaryLine(const FrameSummary& summary);
std::string FormatSummaryJson(const FrameSummary& summary);
