#pragma once
// Where the program's files are. Started in a data folder (the generated one, as `make run`
// does), everything stays there as always: the art, config.ini and conout.log. Started anywhere
// else, it takes its installed data folder, which it only reads: the log goes to the user's state
// folder, and a config.ini in the user's config folder comes before the packaged one, as the
// XDG base directories have it.
#include <string>

class ProgramFolders {
 public:
  // The file that marks a data folder and lists everything in it that the show needs, after a
  // first line that tells the generator's manifest from any other file of that name.
  static constexpr const char* kManifest = "manifest.txt";
  static constexpr const char* kManifestHeading = "# vulcara data folder, manifest format 1";

  // Finds the data folder: the working directory when it holds the generator's manifest; else
  // the installed folder beside the program file, then the packaged location. The folder found
  // must hold every file its manifest lists. False with a message naming where it looked and
  // what is missing.
  bool Locate(std::string* error);

  bool Installed() const { return installed_; }
  const std::string& DataFolder() const { return dataFolder_; }
  // The user's config.ini where the program is installed and the user has one; else the data
  // folder's.
  std::string ConfigFile() const;
  // conout.log in the data folder, or where the program is installed in the user's state folder
  // (created here as far as it can be, private to the user); empty when the user has no state
  // folder at all.
  std::string LogFile() const;

  // xdgValue/vulcara when xdgValue is an absolute path, else home/homeFallback/vulcara; empty
  // when neither is usable (a relative or empty value counts as unset).
  static std::string UserFolder(const char* xdgValue, const char* home, const char* homeFallback);

 private:
  std::string dataFolder_;
  bool installed_ = false;
};
