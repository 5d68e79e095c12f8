#include "app/run_monitor.h"

#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/app_globals.h"
#include "app/startup.h"
#include "gfx/png_writer.h"
#include "platform/host.h"
#include "platform/printable_text.h"
#include "services/frame_timer.h"

RunMonitor* g_runMonitor = nullptr;

namespace {

// A device or a link to one stays where it is; a plain file that failed is gone.
void SayVideoFailed(const std::string& path, const char* failure, const std::string& error) {
  std::error_code unknown;
  const char* removed = std::filesystem::exists(path, unknown) ? "" : "; the file is removed";
  std::fprintf(stderr, "%s: the video cannot be %s (%s)%s\n", PrintableText(path).c_str(), failure,
               error.c_str(), removed);
}

}  // namespace

bool RunMonitor::StartVideo(std::string* error) {
  if (video_.Start(error)) return true;
  *error = "--video " + host::Run().videoFile + ": " + *error;
  return false;
}

bool RunMonitor::FinishVideo() {
  std::string error;
  if (video_.Finish(&error)) return true;
  SayVideoFailed(host::Run().videoFile, "completed", error);
  return false;
}

void RunMonitor::LoopStarted() {
  loopStart_ = lastFrameEnd_ = std::chrono::steady_clock::now();
  cpuStart_ = cpuEnd_ = std::clock();
}

void RunMonitor::FrameDone() {
  const RunDescription& run = host::Run();
  ++frameNumber_;
  // From the whole milliseconds, as the run's end: no float sum drifts over a long run.
  const double demoSeconds = static_cast<double>(g_timer->totalMs) / 1000.0;
  const auto now = std::chrono::steady_clock::now();
  // Only a benchmark keeps frame times: an ordinary run allocates nothing per frame.
  if (run.benchmark && demoSeconds >= run.benchmarkFrom) {
    // Wall and processor time count from the end of the frame before the first one counted.
    if (statistics_.Frames() == 0) {
      loopStart_ = lastFrameEnd_;
      cpuStart_ = cpuEnd_;
    }
    DeviceCounters counters;
    g_device->GetCounters(&counters);
    statistics_.Add(std::chrono::duration<double, std::milli>(now - lastFrameEnd_).count(),
                    counters);
  }
  lastFrameEnd_ = now;
  cpuEnd_ = std::clock();

  if (CaptureDue(demoSeconds)) Capture(demoSeconds);
  if (video_.IsRecording()) Record();
  if (run.IsOver(frameNumber_, g_timer->totalMs)) PostQuitMessage(0);
}

bool RunMonitor::CaptureDue(double demoSeconds) {
  const RunDescription& run = host::Run();
  if (run.captureDir.empty()) return false;
  if (run.captureEvery > 0) return frameNumber_ % run.captureEvery == 0;
  bool due = false;
  // One frame answers for every capture time it has reached.
  while (nextCaptureAt_ < run.captureAt.size() && demoSeconds >= run.captureAt[nextCaptureAt_]) {
    ++nextCaptureAt_;
    due = true;
  }
  return due;
}

void RunMonitor::Capture(double demoSeconds) {
  char name[32];
  std::snprintf(name, sizeof name, "/frame-%06" PRIu64 ".png", frameNumber_);
  std::string path = host::Run().captureDir + name;
  std::string error;
  if (ReadPicture(&error) &&
      WritePng(path.c_str(), picture_.width, picture_.height, picture_.rgba.data(), &error)) {
    std::printf("captured %s (frame %" PRIu64 ", %.3f s)\n", path.c_str(), frameNumber_,
                demoSeconds);
    std::fflush(stdout);
    return;
  }
  video_.EndProgress();
  std::fprintf(stderr, "capture of frame %" PRIu64 " failed: %s\n", frameNumber_, error.c_str());
  PostQuitMessage(kFatalExitCode);
}

void RunMonitor::Record() {
  std::string error;
  if (ReadPicture(&error) && video_.AddFrame(frameNumber_, picture_, &error)) return;
  video_.Abandon();
  SayVideoFailed(host::Run().videoFile, "written", error);
  PostQuitMessage(kFatalExitCode);
}

bool RunMonitor::ReadPicture(std::string* error) {
  if (pictureOfFrame_ == frameNumber_) return true;
  if (FAILED(g_device->ReadBackBuffer(&picture_))) {
    *error = "cannot read the back buffer";
    return false;
  }
  pictureOfFrame_ = frameNumber_;
  return true;
}

bool RunMonitor::Report() const {
  const RunDescription& run = host::Run();
  if (!run.benchmark) return true;
  double wall = std::chrono::duration<double>(lastFrameEnd_ - loopStart_).count();
  double cpu = static_cast<double>(cpuEnd_ - cpuStart_) / CLOCKS_PER_SEC;
  FrameSummary summary = statistics_.Summarize(wall, cpu);
  std::printf("%s\n", FormatSummaryLine(summary).c_str());
  if (run.benchmarkJson.empty()) return true;
  FILE* file = std::fopen(run.benchmarkJson.c_str(), "w");
  bool written = file && std::fputs(FormatSummaryJson(summary).c_str(), file) >= 0;
  if (file && std::fclose(file) != 0) written = false;
  if (!written) std::fprintf(stderr, "%s: cannot write the benchmark\n", run.benchmarkJson.c_str());
  return written;
}
