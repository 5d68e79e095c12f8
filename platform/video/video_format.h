#pragma once
// The kinds of video file, told apart by the ending of the file's name: what each holds, its
// container and its encoders with their settings. One table gives the encoders their settings
// and the program its words for the formats; the web build, which writes no video, names them
// too.
#include <cstdint>
#include <string>

namespace video {

struct Format {
  const char* extension;
  const char* holds;  // the picture and sound codecs, as a reader knows them
  const char* container;
  const char* pictureCodec;
  // Constant quality, tuned to encode faster than the pictures are drawn.
  const char* pictureOptions;
  const char* soundCodec;
  int64_t soundBitRate;
};

// The format a file's name asks for by its ending, in any case; null for none.
const Format* FormatOf(const std::string& path);

}  // namespace video
