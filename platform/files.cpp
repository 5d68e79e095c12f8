#include "platform/files.h"

#include <algorithm>

std::string HostPath(const char* name) {
  std::string path = name ? name : "";
  std::replace(path.begin(), path.end(), '\\', '/');
  return path;
}

FILE* OpenFile(const char* name, const char* mode) {
  if (!name || !mode) return nullptr;
  return std::fopen(HostPath(name).c_str(), mode);
}
