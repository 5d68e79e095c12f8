// Whole frames of the program with its generated art, headless on the offscreen display.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "app/app_globals.h"
#include "app/frame_timer.h"
#include "app/startup.h"
#include "app/win_main.h"
#include "platform/host.h"

namespace {

// Runs the program's start-up in the data folder and shuts it down afterwards.
class HeadlessProgram {
 public:
  HeadlessProgram() {
    std::error_code error;
    std::filesystem::current_path(VULCARA_DATA_DIR, error);
    std::string reason;
    started_ = !error && host::Start(true, &reason) && CreateMainWindow(nullptr, SW_HIDE);
    g_timer = new FrameTimer();
    if (started_) Startup();
    // A failed start-up has asked to quit.
    MSG quit;
    started_ = started_ && !PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE);
  }
  ~HeadlessProgram() {
    Shutdown();
    host::Stop();
  }
  bool Started() const { return started_; }

 private:
  bool started_ = false;
};

void BM_HeadlessFrame(benchmark::State& state) {
  HeadlessProgram program;
  if (!program.Started()) {
    state.SkipWithError("the program did not start in the data folder (build the assets first)");
    return;
  }
  for (auto _ : state) ProduceFrame();
}
BENCHMARK(BM_HeadlessFrame)->Unit(benchmark::kMillisecond);

}  // namespace
