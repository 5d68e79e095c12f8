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

void FrameStatistics::Add(double frameMs, const DeviceCounters& counters) {
  if (frameMs_.empty()) first_ = counters;
  last_ = counters;
  frameMs_.push_back(frameMs);
  totals_.draws += counters.draws;
  totals_.backendDraws += counters.backendDraws;
  totals_.programSwitches += counters.programSwitches;
  totals_.textureUploads += counters.textureUploads;
  totals_.bytesUploaded += counters.bytesUploaded;
}

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
  s.draws = totals_.draws / count;
  s.backendDraws = totals_.backendDraws / count;
  s.programSwitches = totals_.programSwitches / count;
  s.textureUploads = totals_.textureUploads / count;
  s.bytesUploaded = static_cast<double>(totals_.bytesUploaded) / count;
  s.texturesAliveFirst = first_.liveTextures;
  s.texturesAliveLast = last_.liveTextures;
  s.buffersAliveFirst = first_.liveBuffers;
  s.buffersAliveLast = last_.liveBuffers;
  return s;
}

std::string FormatSummaryLine(const FrameSummary& s) {
  char line[512];
  std::snprintf(line, sizeof line,
                "benchmark: %zu frames, %.3f s wall, mean %.3f ms, median %.3f ms, p95 %.3f ms, "
                "p99 %.3f ms, worst %.3f ms, cpu %.3f ms/frame; per frame: %.1f draws, "
                "%.1f GL draws, %.1f program switches, %.1f texture uploads, %.0f bytes uploaded; "
                "alive at the first and last frame: %u and %u textures, %u and %u buffers",
                s.frames, s.wallSeconds, s.meanMs, s.medianMs, s.p95Ms, s.p99Ms, s.worstMs,
                s.cpuMsPerFrame, s.draws, s.backendDraws, s.programSwitches, s.textureUploads,
                s.bytesUploaded, s.texturesAliveFirst, s.texturesAliveLast, s.buffersAliveFirst,
                s.buffersAliveLast);
  return line;
}

std::string FormatSummaryJson(const FrameSummary& s) {
  char json[896];
  std::snprintf(json, sizeof json,
                "{\"frames\": %zu, \"wall_seconds\": %.6f, \"mean_ms\": %.6f, \"median_ms\": %.6f, "
                "\"p95_ms\": %.6f, \"p99_ms\": %.6f, \"worst_ms\": %.6f, "
                "\"cpu_ms_per_frame\": %.6f, \"draws_per_frame\": %.3f, "
                "\"gl_draws_per_frame\": %.3f, \"program_switches_per_frame\": %.3f, "
                "\"texture_uploads_per_frame\": %.3f, \"bytes_uploaded_per_frame\": %.1f, "
                "\"textures_alive\": [%u, %u], \"buffers_alive\": [%u, %u]}\n",
                s.frames, s.wallSeconds, s.meanMs, s.medianMs, s.p95Ms, s.p99Ms, s.worstMs,
                s.cpuMsPerFrame, s.draws, s.backendDraws, s.programSwitches, s.textureUploads,
                s.bytesUploaded, s.texturesAliveFirst, s.texturesAliveLast, s.buffersAliveFirst,
                s.buffersAliveLast);
  return json;
}
