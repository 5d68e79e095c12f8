// The web build writes no video files: its captures stay in the page's memory.
#include "platform/video.h"

namespace video {

struct VideoFile::Encoding {};

VideoFile::VideoFile() = default;
VideoFile::~VideoFile() = default;

bool VideoFile::CanCreate(const std::string&, std::string* error) {
  *error = "video files are not available in the web build";
  return false;
}

bool VideoFile::Create(const std::string& path, uint32_t, int, std::string* error) {
  return CanCreate(path, error);
}

bool VideoFile::Add(const Frame&, std::string* error) {
  return Create("", 0, 0, error);
}

bool VideoFile::Finish(std::string* error) {
  return Create("", 0, 0, error);
}

void VideoFile::Discard() {}

bool VideoFile::IsOpen() const {
  return false;
}

}  // namespace video
