#pragma once
#include <cstdint>
#include <filesystem>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace assetgen {

// The program's settings, which a rebuild keeps, and the list of the files the show needs.
inline constexpr std::string_view kConfigFile = "config.ini";
inline constexpr std::string_view kManifestFile = "manifest.txt";

// The files of the data folder, in the order WriteAll writes them: the one list of them.
inline constexpr std::string_view kDataFiles[] = {
    "textures/volcanoh24.bmp",
    "textures/volcanotex.bmp",
    "textures/lavastream.bmp",
    "textures/ocean.bmp",
    "textures/smoke.bmp",
    "textures/lava.bmp",
    "textures/erupdebris.bmp",
    "textures/shockwave.bmp",
    "misc/firepal.bmp",
    "font/FONT_8.bmp",
    "font/FONT_8.fon",
    "misc/skydome.md3",
    "sound/seawind.wav",
    "sound/shorewav.wav",
    "sound/fire.wav",
    "sound/rumble.wav",
    "sound/explosion.wav",
    kConfigFile,
    kManifestFile,
};

// Writes the program's whole data folder: textures, height map, font, fire palette, sky
// dome, sounds and a default config.ini (only where none exists, so a user's settings
// survive a rebuild), and last manifest.txt, which lists the files the show needs: it marks the
// folder as the program's data folder. One progress line per file.
class DataFolderWriter {
 public:
  DataFolderWriter(std::filesystem::path folder, std::ostream& progress);

  void WriteAll();
  // What a package installs besides: the icon at the desktop's usual sizes as
  // icons/NxN/apps/vulcara.png, and the default config.ini (over any other).
  void WritePackageFiles();

 private:
  void WriteIsland();
  void WriteEffects();
  void WriteConsoleArt();
  void WriteSounds();
  void WriteDefaultConfig();
  void WriteManifest();
  void WriteFile(std::string_view name, const std::vector<uint8_t>& bytes);

  std::filesystem::path folder_;
  std::ostream& progress_;
};

}  // namespace assetgen
