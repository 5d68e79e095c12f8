#include "app/program_folders.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <utility>
#include <vector>

#include "platform/files.h"
#include "platform/printable_text.h"
#include "platform/run_description.h"

namespace fs = std::filesystem;

namespace {

// A manifest lists a few dozen short names.
constexpr uint64_t kMaxManifestBytes = 64 << 10;

fs::path ProgramFile() {
  std::error_code error;
  return fs::read_symlink("/proc/self/exe", error);
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

enum class Place { kNoDataFolder, kWhole, kIncomplete };

// Whether the folder is a data folder of the generator's, and whether it holds every file its
// manifest lists: *said names what is missing, or why the folder is none.
Place Examine(const fs::path& folder, std::string* said) {
  std::error_code error;
  const fs::path manifest = folder / ProgramFolders::kManifest;
  if (!fs::is_directory(folder, error)) {
    *said = "no such folder";
    return Place::kNoDataFolder;
  }
  if (!fs::is_regular_file(manifest, error)) {
    *said = "no " + std::string(ProgramFolders::kManifest);
    return Place::kNoDataFolder;
  }
  std::vector<uint8_t> bytes;
  if (!ReadWholeFile(manifest.c_str(), kMaxManifestBytes, &bytes, said)) {
    return Place::kNoDataFolder;
  }
  const std::vector<std::string> names = ManifestNames(std::string(bytes.begin(), bytes.end()));
  if (names.empty() || names.front() != ProgramFolders::kManifestHeading) {
    *said = std::string(ProgramFolders::kManifest) + " is not a vulcara data folder's";
    return Place::kNoDataFolder;
  }
  for (auto name = names.begin() + 1; name != names.end(); ++name) {
    if (!fs::is_regular_file(folder / *name, error)) *said += " " + *name;
  }
  return said->empty() ? Place::kWhole : Place::kIncomplete;
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

bool IsOneOf(const fs::path& folder, const std::vector<fs::path>& places) {
  return std::any_of(places.begin(), places.end(), [&](const fs::path& place) {
    std::error_code different;
    return fs::equivalent(folder, place, different);
  });
}

// XDG asks for folders it creates to be the user's alone; those already there stay as they are.
void CreatePrivateFolders(const fs::path& folder) {
  std::error_code error;
  if (folder.empty() || fs::exists(folder, error)) return;
  CreatePrivateFolders(folder.parent_path());
  if (fs::create_directory(folder, error)) {
    fs::permissions(folder, fs::perms::owner_all, fs::perm_options::replace, error);
  }
}

}  // namespace

bool ProgramFolders::Locate(std::string* error) {
  std::error_code ignored;
  const fs::path workingDirectory = fs::current_path(ignored);
  const std::vector<fs::path> installed = InstalledFolders();
  std::vector<std::pair<fs::path, bool>> places;
  // Started inside an installed folder itself, the program still only reads it.
  if (!IsOneOf(workingDirectory, installed)) places.emplace_back(workingDirectory, false);
  for (const fs::path& folder : installed) places.emplace_back(folder, true);

  std::string looked;
  for (const auto& [folder, isInstalled] : places) {
    std::string said;
    switch (Examine(folder, &said)) {
      case Place::kWhole:
        dataFolder_ = folder.string();
        installed_ = isInstalled;
        return true;
      case Place::kIncomplete:
        *error =
            PrintableText("the data folder " + folder.string() + " is incomplete, missing:" + said);
        return false;
      case Place::kNoDataFolder:
        looked += (looked.empty() ? "" : "; ") + folder.string() +
                  (isInstalled ? "" : " (the working directory)") + ": " + said;
        break;
    }
  }
  *error = "no data folder found; looked in " + PrintableText(looked);
  return false;
}

std::string ProgramFolders::ConfigFile() const {
  const char* name = RunDescription::kConfigName;
  if (!installed_) return name;
  const std::string user =
      UserFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME"), ".config");
  std::error_code ignored;
  if (!user.empty() && fs::exists(fs::path(user) / name, ignored)) {
    return (fs::path(user) / name).string();
  }
  return (fs::path(dataFolder_) / name).string();
}

std::string ProgramFolders::LogFile() const {
  if (!installed_) return RunDescription::kLogName;
  const std::string state =
      UserFolder(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"), ".local/state");
  if (state.empty()) return "";
  // A folder that can't be made costs the log only; the console says so when it opens it.
  CreatePrivateFolders(state);
  return (fs::path(state) / RunDescription::kLogName).string();
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
