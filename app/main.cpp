// Entry point: reads the run options, prepares the platform and runs the program.
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/printable_text.h"
#include "app/resource_registry.h"
#include "app/run_monitor.h"
#include "app/run_options.h"
#include "app/startup.h"
#include "app/win_main.h"
#include "platform/host.h"
#include "platform/window/input_script.h"

namespace {

constexpr int kUsageExitCode = 2;

int UsageError(const char* program, const std::string& error) {
  std::fprintf(stderr, "%s: %s\n%s", program, PrintableText(error).c_str(),
               RunOptionsUsage(program).c_str());
  return kUsageExitCode;
}

bool PrepareCaptureFolder(const std::string& dir) {
  std::error_code error;
  std::filesystem::create_directories(dir, error);
  if (!error) return true;
  std::fprintf(stderr, "%s: cannot create the capture folder: %s\n", dir.c_str(),
               error.message().c_str());
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  const char* program = argc > 0 ? argv[0] : "vulcara";
  RunOptions options;
  std::string error;
  switch (ParseRunOptions(argc, argv, &options, &error)) {
    case RunOptionsResult::kHelp:
      std::printf("%s", RunOptionsUsage(program).c_str());
      return 0;
    case RunOptionsResult::kError:
      return UsageError(program, error);
    case RunOptionsResult::kRun:
      break;
  }

  if (options.fixedStepMs > 0) host::UseVirtualClock(options.fixedStepMs);
  if (!options.inputFile.empty()) {
    InputScript script;
    if (!script.Load(options.inputFile.c_str(), &error)) return UsageError(program, error);
    host::SetInputScript(script);
  }
  if (!options.recordInputFile.empty() &&
      !host::RecordInput(options.recordInputFile.c_str(), &error)) {
    std::fprintf(stderr, "%s: %s\n", program, PrintableText(error).c_str());
    return kFatalExitCode;
  }
  if (!options.captureDir.empty() && !PrepareCaptureFolder(options.captureDir)) {
    return kFatalExitCode;
  }
  RunMonitor monitor(options);
  if (!monitor.StartVideo(&error)) {
    std::fprintf(stderr, "%s: --video %s: %s\n", program, PrintableText(options.videoFile).c_str(),
                 error.c_str());
    return kUsageExitCode;
  }
  if (!host::Start(options.headless, &error)) {
    std::fprintf(stderr, "%s: %s\n", program, error.c_str());
    return kFatalExitCode;
  }
  RegisterProgramResources();

  g_runMonitor = &monitor;
  int status = WinMain(nullptr, nullptr, nullptr, SW_SHOWDEFAULT);
  g_runMonitor = nullptr;
  host::Stop();
  if (!monitor.FinishVideo() && status == 0) status = kFatalExitCode;
  if (!monitor.Report() && status == 0) status = kFatalExitCode;
  return status;
}
