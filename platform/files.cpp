#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>

#include "platform/printable_text.h"

namespace {

// Enough to recognise any token the program reads, a key name or a number.
constexpr size_t kMaxQuotedBytes = 40;

const char* KindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a directory";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISFIFO(mode)) return "a pipe";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

bool Fail(const std::string& path, const std::string& why, std::string* error) {
  if (error) *error = path + ": " + why;
  return false;
}

}  // namespace

std::string HostPath(const char* name) {
  std::string path = name ? name : "";
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

bool InputFile::Open(const char* name, std::string* error) {
  file_.reset();
  size_ = 0;
  const std::string path = HostPath(name);
  // Non-blocking, so that a pipe in a file's place can't stall the program before it is refused.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0)
    return Fail(path, std::string("cannot open it (") + std::strerror(errno) + ")", error);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const std::string kind = S_ISREG(info.st_mode) ? "cannot read its size" : KindOf(info.st_mode);
    ::close(fd);
    return Fail(path, "is " + kind + ", not a file", error);
  }
  FILE* file = ::fdopen(fd, "rb");
  if (!file) {
    ::close(fd);
    return Fail(path, std::string("cannot open it (") + std::strerror(errno) + ")", error);
  }
  file_.reset(file);
  size_ = static_cast<uint64_t>(info.st_size);
  return true;
}

bool InputFile::Read(uint64_t offset, uint64_t count, std::vector<uint8_t>* bytes) {
  bytes->clear();
  if (!file_ || offset > size_ || count > size_ - offset) return false;
  if (::fseeko(file_.get(), static_cast<off_t>(offset), SEEK_SET) != 0) return false;
  bytes->resize(static_cast<size_t>(count));
  // The file may have shrunk since it was opened: what was really read is what counts.
  const size_t got = std::fread(bytes->data(), 1, bytes->size(), file_.get());
  if (got == bytes->size()) return true;
  bytes->clear();
  return false;
}

bool ReadWholeFile(const char* name, uint64_t maxBytes, std::vector<uint8_t>* bytes,
                   std::string* error) {
  bytes->clear();
  InputFile file;
  if (!file.Open(name, error)) return false;
  if (file.Size() > maxBytes) {
    return Fail(HostPath(name),
                "is " + std::to_string(file.Size()) + " bytes, more than the " +
                    std::to_string(maxBytes) + " it may have",
                error);
  }
  if (file.Read(0, file.Size(), bytes)) return true;
  return Fail(HostPath(name), "cannot read it", error);
}

namespace {

// What failed, with the system's reason for it.
std::string WithReason(const char* what, const std::string& path) {
  return what + (path.empty() ? "" : " " + path) + " (" + std::strerror(errno) + ")";
}

}  // namespace

bool CanWriteFile(const std::string& path, std::string* error) {
  error->clear();
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    if (S_ISDIR(info.st_mode)) *error = "it is a directory, not a file";
    if (!S_ISDIR(info.st_mode) && ::access(path.c_str(), W_OK) != 0) {
      *error = WithReason("cannot write it", "");
    }
    return error->empty();
  }
  std::string folder = std::filesystem::path(path).parent_path().string();
  if (::access(folder.empty() ? "." : folder.c_str(), W_OK | X_OK) == 0) return true;
  *error = WithReason("cannot create it", "");
  return false;
}

bool CanMakeFolder(const std::string& path, std::string* error) {
  error->clear();
  std::error_code unknown;
  std::filesystem::path nearest = std::filesystem::absolute(path, unknown);
  struct stat info {};
  int missing = 0;
  while ((missing = ::stat(nearest.c_str(), &info)) != 0 && errno == ENOENT &&
         nearest.has_relative_path()) {
    nearest = nearest.parent_path();
  }
  if (missing != 0) {
    *error = WithReason("cannot reach", nearest.string());
  } else if (!S_ISDIR(info.st_mode)) {
    *error = nearest.string() + " is " + KindOf(info.st_mode) + ", not a folder";
  } else if (::access(nearest.c_str(), W_OK | X_OK) != 0) {
    *error = WithReason("cannot write in", nearest.string());
  }
  return error->empty();
}

FILE* OpenFile(const char* name, const char* mode) {
  if (!name || !mode) return nullptr;
  return std::fopen(HostPath(name).c_str(), mode);
}

void ReportOnce(const std::string& line) {
  static std::set<std::string> reported;
  // A relative name in another working folder is another file.
  std::error_code unknown;
  const std::string folder = std::filesystem::current_path(unknown).string();
  if (reported.insert(folder + '\0' + line).second) {
    std::fprintf(stderr, "%s\n", PrintableText(line).c_str());
  }
}

std::string Quoted(const std::string& text) {
  if (text.size() <= kMaxQuotedBytes) return "\"" + text + "\"";
  return "\"" + text.substr(0, kMaxQuotedBytes) + "...\"";
}

std::string InMiB(uint64_t bytes) {
  char text[32];
  std::snprintf(text, sizeof text, "%.1f MiB", static_cast<double>(bytes) / (1 << 20));
  return text;
}
