// Whole frames of the program with its generated art, headless on the offscreen display.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>

#include "app/app_globals.h"
#include "app/config_file.h"
#include "app/startup.h"
#include "app/win_main.h"
#include "app/window_proc.h"
#include "platform/host.h"
#include "services/frame_timer.h"

namespace {

// Runs the program's start-up in the data folder and shuts it down afterwards.
class HeadlessProgram {
 public:
  HeadlessProgram() {
    std::error_code error;
    std::filesystem::current_path(VULCARA_DATA_DIR, error);
    RunDescription run;
    run.headless = true;
    ReadConfig(&run);
    std::string reason;
    started_ = !error && host::Start(std::move(run), &reason) && CreateMainWindow(nullptr, SW_HIDE);
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

void Type(char c) {
  WndProc(g_hWnd, WM_CHAR, static_cast<unsigned char>(c), 0);
}

// Opens the console and fills every row of an 800 x 600 window: 23 entered lines longer than a
// row, and the input line with all its 126 characters.
void FillConsole() {
  std::string text;
  while (text.size() < 160) text += "The lava pours down into the sea. 0123456789 ";
  Type('`');
  for (size_t line = 0; line < 23; ++line) {
    for (char c : text.substr(line, 120)) Type(c);
    Type('\r');
  }
  for (char c : text.substr(0, 126)) Type(c);
}

// Whole frames, with the console closed or open and full (argument 1). The frame's time is
// mostly llvmpipe's threads: the CPU time counts the whole process.
void BM_HeadlessFrame(benchmark::State& state) {
  HeadlessProgram program;
  if (!program.Started()) {
    state.SkipWithError("the program did not start in the data folder (build the assets first)");
    return;
  }
  if (state.range(0) == 1) FillConsole();
  for (auto _ : state) ProduceFrame();
  DeviceCounters counters;
  g_device->GetCounters(&counters);
  state.counters["draws"] = counters.draws;
  state.counters["gl_draws"] = counters.backendDraws;
}
BENCHMARK(BM_HeadlessFrame)
    ->ArgName("console_full")
    ->Arg(0)
    ->Arg(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->MeasureProcessCPUTime();

}  // namespace
