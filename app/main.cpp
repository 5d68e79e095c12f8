// Entry point: reads the run options, prepares the platform and runs the program.
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/app_globals.h"
#include "app/program_folders.h"
#include "app/resource_registry.h"
#include "app/run_monitor.h"
#include "app/run_options.h"
#include "app/startup.h"
#include "app/win_main.h"
#include "platform/host.h"
#include "platform/printable_text.h"
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

// Where the program is installed, it moves to its data folder and logs and reads config.ini in
// the user's folders.
bool UseProgramFolders(const char* program) {
  ProgramFolders folders;
  std::string error;
  if (!folders.Locate(&error)) {
    std::fprintf(stderr, "%s: %s\n", program, error.c_str());
    return false;
  }
  if (!folders.Installed()) return true;
  std::error_code moved;
  std::filesystem::current_path(folders.DataFolder(), moved);
  if (moved) {
    std::fprintf(stderr, "%s: cannot enter the data folder %s: %s\n", program,
                 PrintableText(folders.DataFolder()).c_str(), moved.message().c_str());
    return false;
  }
  g_configFile = folders.ConfigFile();
  g_logFile = folders.LogFile();
  if (g_logFile.empty()) {
    std::fprintf(stderr,
                 "%s: neither XDG_STATE_HOME nor HOME names a folder: the console is not logged\n",
                 program);
  }
  return true;
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
    case RunOptionsResult::kVersion:
      std::printf("vulcara %s\n", VULCARA_VERSION);
      return 0;
    case RunOptionsResult::kError:
      return UsageError(program, error);
    case RunOptionsResult::kRun:
      break;
  }

  if (!UseProgramFolders(program)) return kFatalExitCode;
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
