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
#include "platform/files.h"
#include "platform/host.h"
#include "platform/printable_text.h"
#include "platform/video.h"
#include "platform/window/input_script.h"

namespace {

constexpr int kUsageExitCode = 2;

int UsageError(const char* program, const std::string& error) {
  std::fprintf(stderr, "%s: %s\n%s", program, PrintableText(error).c_str(),
               RunOptionsUsage(program).c_str());
  return kUsageExitCode;
}

// A request that can't be carried out as asked.
int Refused(const char* program, const std::string& error) {
  std::fprintf(stderr, "%s: %s\n", program, PrintableText(error).c_str());
  return kUsageExitCode;
}

// Every output the options ask for, checked before anything is created or opened for writing: a
// request that can't be carried out as asked is refused with nothing changed.
bool CheckOutputs(const RunOptions& options, std::string* error) {
  const struct {
    const char* option;
    const std::string& path;
    bool (*usable)(const std::string& path, std::string* error);
  } outputs[] = {{"--video", options.videoFile, video::VideoFile::CanCreate},
                 {"--record-input", options.recordInputFile, CanWriteFile},
                 {"--capture", options.captureDir, CanMakeFolder},
                 {"--benchmark-json", options.benchmarkJson, CanWriteFile}};
  for (const auto& output : outputs) {
    if (!output.path.empty() && !output.usable(output.path, error)) {
      *error = std::string(output.option) + " " + output.path + ": " + *error;
      return false;
    }
  }
  return true;
}

// Creates what the checked outputs need before the run: the recording and the capture folder.
// False with the reason.
bool CreateOutputs(const RunOptions& options, std::string* error) {
  if (!options.recordInputFile.empty() &&
      !host::RecordInput(options.recordInputFile.c_str(), error)) {
    return false;
  }
  std::error_code created;
  if (!options.captureDir.empty()) std::filesystem::create_directories(options.captureDir, created);
  if (created) *error = options.captureDir + ": cannot create the folder: " + created.message();
  return !created;
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

  InputScript script;
  if (!options.inputFile.empty() && !script.Load(options.inputFile.c_str(), &error)) {
    return UsageError(program, error);
  }
  if (!CheckOutputs(options, &error)) return Refused(program, error);
  if (!UseProgramFolders(program)) return kFatalExitCode;

  if (options.fixedStepMs > 0) host::UseVirtualClock(options.fixedStepMs);
  if (!options.inputFile.empty()) host::SetInputScript(script);
  if (!host::Start(options.headless, &error)) {
    std::fprintf(stderr, "%s: %s\n", program, error.c_str());
    return kFatalExitCode;
  }
  RunMonitor monitor(options);
  if (!monitor.StartVideo(&error) || !CreateOutputs(options, &error)) {
    host::Stop();
    return Refused(program, error);
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
