#pragma once
// File names as the program writes them ("textures\\ocean.bmp") mapped to the host's form, and
// the one way the program reads files. Every file comes from outside and is untrusted: only
// regular files are read, their size is known before anything is read, and nothing is read past
// the file's end or a cap the caller chooses.
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

std::string HostPath(const char* name);

class InputFile {
 public:
  // Opens a regular file for reading. False, with a one-line reason that names the file, when
  // it is missing or unreadable, or is a directory, a device or a pipe (never blocks on one).
  bool Open(const char* name, std::string* error);
  uint64_t Size() const { return size_; }
  // Replaces bytes with count bytes from offset; false when the file holds fewer.
  bool Read(uint64_t offset, uint64_t count, std::vector<uint8_t>* bytes);

 private:
  struct Closer {
    void operator()(FILE* file) const { std::fclose(file); }
  };
  std::unique_ptr<FILE, Closer> file_;
  uint64_t size_ = 0;
};

// The whole of a regular file of at most maxBytes; otherwise false with a reason naming it.
bool ReadWholeFile(const char* name, uint64_t maxBytes, std::vector<uint8_t>* bytes,
                   std::string* error);

// Whether the program may create or replace the file, or make the folder (and the folders above
// it that are missing) and write in it; checked before anything is created, so that a request
// that can't be carried out is refused with nothing changed. False with the reason, which names
// the folder where the fault lies there.
bool CanWriteFile(const std::string& path, std::string* error);
bool CanMakeFolder(const std::string& path, std::string* error);

// fopen of the mapped name, for files the program writes; null for a null name.
FILE* OpenFile(const char* name, const char* mode);

// Writes the line to standard error, its unprintable bytes escaped, unless this run has written it
// before: a file that several objects read, or one read again on a rebuild, is reported once.
void ReportOnce(const std::string& line);

// Text from a file quoted back in a message: its first bytes in double quotes, cut with "..."
// when longer, so that a huge token can't flood standard error.
std::string Quoted(const std::string& text);

// A size for messages about budgets: "12.3 MiB".
std::string InMiB(uint64_t bytes);
