// Entry point: describes the run from the command line, the folders found and the configuration
// file, hands the description to the platform and runs the program.
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/app_globals.h"
#include "app/config_file.h"
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

// Every output the run asks for, checked before anything is created or opened for writing: a
// request that can't be carried out as asked is refused with nothing changed.
bool CheckOutputs(const RunDescription& run, std::string* error) {
  const struct {
    const char* option;
    const std::string& path;
    bool (*usable)(const std::string& path, std::string* error);
  } outputs[] = {{"--video", run.videoFile, video::VideoFile::CanCreate},
                 {"--record-input", run.recordInputFile, CanWriteFile},
                 {"--capture", run.captureDir, CanMakeFolder},
                 {"--benchmark-json", run.benchmarkJson, CanWriteFile}};
  for (const auto& output : outputs) {
    if (!output.path.empty() && !output.usable(output.path, error)) {
      *error = std::string(output.option) + " " + output.path + ": " + *error;
      return false;
    }
  }
  return true;
}

// Where the program is installed, it moves to its data folder, and logs and reads config.ini in
// the user's folders.
bool UseProgramFolders(const char* program, RunDescription* run) {
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
  run->configFile = folders.ConfigFile();
  run->logFile = folders.LogFile();
  if (run->logFile.empty()) {
    std::fprintf(stderr,
                 "%s: neither XDG_STATE_HOME nor HOME names a folder: the console is not logged\n",
                 program);
  }
  return true;
}

// The run's outputs that are made before it starts: the video file and the capture folder (the
// platform opens the recording of live input).
bool CreateOutputs(RunMonitor* monitor, std::string* error) {
  if (!monitor->StartVideo(error)) return false;
  const std::string& folder = host::Run().captureDir;
  std::error_code failed;
  if (!folder.empty()) std::filesystem::create_directories(folder, failed);
  if (failed) *error = "--capture " + folder + ": cannot create the folder: " + failed.message();
  return !failed;
}

}  // namespace

int main(int argc, char** argv) {
  const char* program = argc > 0 ? argv[0] : "vulcara";
  RunDescription run;
  std::string error;
  switch (ParseRunOptions(argc, argv, &run, &error)) {
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
  if (!run.inputFile.empty() && !run.script.Load(run.inputFile.c_str(), &error)) {
    return UsageError(program, error);
  }
  if (!CheckOutputs(run, &error)) return Refused(program, error);
  if (!UseProgramFolders(program, &run)) return kFatalExitCode;
  ReadConfig(&run);

  if (!host::Start(std::move(run), &error)) {
    std::fprintf(stderr, "%s: %s\n", program, error.c_str());
    return kFatalExitCode;
  }
  RunMonitor monitor;
  if (!CreateOutputs(&monitor, &error)) {
    host::Stop();
    return Refused(program, error);
  }
  RegisterProgramResources();
  g_runMonitor = &monitor;
  int status = WinMain(nullptr, nullptr, nullptr, SW_SHOWDEFAULT);
  g_runMonitor = nullptr;
  if (!monitor.FinishVideo() && status == 0) status = kFatalExitCode;
  if (!monitor.Report() && status == 0) status = kFatalExitCode;
  host::Stop();
  return status;
}
