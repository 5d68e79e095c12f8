#include "app/program_folders.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "platform/files.h"
#include "platform/printable_text.h"

namespace fs = std::filesystem;

namespace {

// A manifest lists a few dozen short names.
constexpr uint64_t kMaxManifestBytes = 64 << 10;

fs::path ProgramFile() {
  std::error_code error;
  return fs::read_symlink("/proc/self/exe", error);
}

bool HoldsManifest(const fs::path& folder) {
  std::error_code error;
  return fs::is_regular_file(folder / ProgramFolders::kManifest, error);
}

std::string WhyNot(const fs::path& folder) {
  std::error_code error;
  return fs::is_directory(folder, error) ? "no " + std::string(ProgramFolders::kManifest)
                                         : "no such folder";
}

std::vector<std::string> ManifestNames(const std::string& text) {
  std::vector<std::string> names;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string name = text.substr(start, end - start);
    if (!name.empty() && name.back() == '\r') name.pop_back();
    if (!name.empty()) names.push_back(name);
    start = end + 1;
  }
  return names;
}

// Where an installed data folder may be: beside the program file, then at its packaged place.
std::vector<fs::path> InstalledFolders() {
  std::vector<fs::path> folders;
  const fs::path program = ProgramFile();
  if (!program.empty()) {
    folders.push_back((program.parent_path() / VULCARA_DATA_FROM_PROGRAM).lexically_normal());
  }
  if (folders.empty() || folders.front() != VULCARA_PACKAGED_DATA_FOLDER) {
    folders.push_back(VULCARA_PACKAGED_DATA_FOLDER);
  }
  return folders;
}

// Started inside an installed folder itself, the program still only reads it.
bool IsOneOf(const fs::path& folder, const std::vector<fs::path>& places) {
  return std::any_of(places.begin(), places.end(), [&](const fs::path& place) {
    std::error_code different;
    return fs::equivalent(folder, place, different);
  });
}

}  // namespace

bool ProgramFolders::Locate(std::string* error) {
  std::error_code ignored;
  const fs::path workingDirectory = fs::current_path(ignored);
  const std::vector<fs::path> installed = InstalledFolders();
  installed_ = false;
  dataFolder_ = workingDirectory.string();
  if (HoldsManifest(workingDirectory) && !IsOneOf(workingDirectory, installed)) return true;

  std::string looked =
      workingDirectory.string() + " (the working directory): " + WhyNot(workingDirectory);
  for (const fs::path& folder : installed) {
    if (HoldsManifest(folder)) {
      installed_ = true;
      dataFolder_ = folder.string();
      return CheckComplete(error);
    }
    looked += "; " + folder.string() + ": " + WhyNot(folder);
  }
  *error = "no data folder found; looked in " + PrintableText(looked);
  return false;
}

bool ProgramFolders::CheckComplete(std::string* error) const {
  std::vector<uint8_t> bytes;
  const fs::path folder(dataFolder_);
  if (!ReadWholeFile((folder / kManifest).c_str(), kMaxManifestBytes, &bytes, error)) {
    *error = "cannot read the data folder's manifest: " + PrintableText(*error);
    return false;
  }
  std::string missing;
  for (const std::string& name : ManifestNames(std::string(bytes.begin(), bytes.end()))) {
    std::error_code ignored;
    if (!fs::is_regular_file(folder / name, ignored)) missing += " " + name;
  }
  if (missing.empty()) return true;
  *error = PrintableText("the data folder " + dataFolder_ + " is incomplete, missing:" + missing);
  return false;
}

std::string ProgramFolders::ConfigFile() const {
  if (!installed_) return "config.ini";
  const std::string user =
      UserFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), ".config");
  std::error_code ignored;
  if (!user.empty() && fs::exists(fs::path(user) / "config.ini", ignored)) {
    return (fs::path(user) / "config.ini").string();
  }
  return (fs::path(dataFolder_) / "config.ini").string();
}

std::string ProgramFolders::LogFile() const {
  if (!installed_) return "conout.log";
  const std::string state =
      UserFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"), ".local/state");
  if (state.empty()) return "";
  // A folder that can't be made costs the log only; the console says so when it opens it.
  std::error_code ignored;
  fs::create_directories(state, ignored);
  return (fs::path(state) / "conout.log").string();
}

std::string ProgramFolders::UserFolder(const char* xdgValue, const char* home,
                                       const char* homeFallback) {
  if (xdgValue && fs::path(xdgValue).is_absolute())
    return (fs::path(xdgValue) / "vulcara").string();
  if (home && fs::path(home).is_absolute()) {
    return (fs::path(home) / homeFallback / "vulcara").string();
  }
  return "";
}
