#include "app/frame_statistics.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <numeric>

namespace {

// Nearest-rank percentile of sorted values.
double Percentile(const std::vector<double>& sorted, double fraction) {
  size_t rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(sorted.size())));
  return sorted[std::clamp<size_t>(rank, 1, sorted.size()) - 1];
}

}  // namespace

FrameSummary FrameStatistics::Summarize(double wallSeconds, double cpuSeconds) const {
  FrameSummary s;
  s.frames = frameMs_.size();
  s.wallSeconds = wallSeconds;
  if (frameMs_.empty()) return s;
  std::vector<double> sorted = frameMs_;
  std::sort(sorted.begin(), sorted.end());
  double count = static_cast<double>(sorted.size());
  s.meanMs = std::accumulate(sorted.begin(), sorted.end(), 0.0) / count;
  s.medianMs = Percentile(sorted, 0.5);
  s.p95Ms = Percentile(sorted, 0.95);
  s.p99Ms = Percentile(sorted, 0.99);
  s.worstMs = sorted.back();
  s.cpuMsPerFrame = cpuSeconds * 1000.0 / count;
  return s;
}

std::string FormatSummaryLine(const FrameSummary& s) {
  char line[320];
  std::snprintf(line, sizeof line,
                "benchmark: %zu frames, %.3f s wall, mean %.3f ms, median %.3f ms, p95 %.3f ms, "
                "p99 %.3f ms, worst %.3f ms, cpu %.3f ms/frame",
                s.frames, s.wallSeconds, s.meanMs, s.medianMs, s.p95Ms, s.p99Ms, s.worstMs,
                s.cpuMsPerFrame);
  return line;
}

std::string FormatSummaryJson(const FrameSummary& s) {
  char json[400];
  std::snprintf(json, sizeof json,
                "{\"frames\": %zu, \"wall_seconds\": %.6f, \"mean_ms\": %.6f, \"median_ms\": %.6f, "
                "\"p95_ms\": %.6f, \"p99_ms\": %.6f, \"worst_ms\": %.6f, "
                "\"cpu_ms_per_frame\": %.6f}\n",
                s.frames, s.wallSeconds, s.meanMs, s.medianMs, s.p95Ms, s.p99Ms, s.worstMs,
                s.cpuMsPerFrame);
  return json;
}
