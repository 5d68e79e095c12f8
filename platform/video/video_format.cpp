#include "platform/video/video_format.h"

#include <algorithm>
#include <cctype>
#include <iterator>

#include "platform/video.h"

namespace video {
namespace {

// One encoder thread and a short look-ahead: the pictures come no faster than they are drawn, the
// same run gives the same file whatever the machine's core count, and the encoders hold a few
// frames, not dozens.
const Format kFormats[] = {
    {".mp4", "H.264 and AAC", "mp4", "libx264", "preset=veryfast:crf=20:threads=1:rc-lookahead=5",
     "aac", 160000},
    {".webm", "VP9 and Opus", "webm", "libvpx-vp9",
     "deadline=realtime:cpu-used=8:crf=32:threads=1:lag-in-frames=0", "libopus", 128000},
};

bool EndsWith(const std::string& text, const std::string& end) {
  return text.size() >= end.size() &&
         std::equal(end.rbegin(), end.rend(), text.rbegin(), [](char a, char b) {
           return a == std::tolower(static_cast<unsigned char>(b));
         });
}

// The formats' endings, each with what it holds when asked.
std::string Listed(bool withContents) {
  std::string list;
  for (size_t i = 0; i < std::size(kFormats); ++i) {
    if (i > 0) list += " or ";
    list += kFormats[i].extension;
    if (withContents) list += std::string(" (") + kFormats[i].holds + ")";
  }
  return list;
}

}  // namespace

const Format* FormatOf(const std::string& path) {
  for (const Format& format : kFormats) {
    if (EndsWith(path, format.extension)) return &format;
  }
  return nullptr;
}

std::string FileExtensions() {
  return Listed(false);
}

std::string FormatsDescription() {
  return Listed(true);
}

}  // namespace video
