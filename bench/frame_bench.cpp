// Whole frames of the program, headless on the offscreen display.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

#include "app/app_globals.h"
#include "app/frame_timer.h"
#include "app/startup.h"
#include "app/win_main.h"
#include "platform/host.h"

namespace {

// Runs the program's start-up in a scratch folder and shuts it down afterwards.
class HeadlessProgram {
 public:
  HeadlessProgram() {
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    std::filesystem::create_directories(folder_);
    std::filesystem::current_path(folder_);
    std::ofstream("config.ini") << "displaymode= 0 waterdetail= high showfps= 0\n";
    std::string error;
    started_ = host::Start(true, &error) && CreateMainWindow(nullptr, SW_HIDE);
    g_timer = new FrameTimer();
    if (started_) Startup();
    started_ = started_ && g_device;
  }
  ~HeadlessProgram() {
    Shutdown();
    host::Stop();
  }
  bool Started() const { return started_; }

 private:
  std::filesystem::path folder_ = std::filesystem::temp_directory_path() / "vulcara-bench";
  bool started_ = false;
};

void BM_HeadlessFrame(benchmark::State& state) {
  HeadlessProgram program;
  if (!program.Started()) {
    state.SkipWithError("the headless device could not be created");
    return;
  }
  for (auto _ : state) ProduceFrame();
}
BENCHMARK(BM_HeadlessFrame)->Unit(benchmark::kMillisecond);

}  // namespace
