#pragma once
// The pictures of a video: RGBA frames converted to the encoder's 4:2:0 YUV and encoded.
#include <cstdint>
#include <string>

#include "platform/video/container_writer.h"

namespace video {

class PictureEncoder {
 public:
  // Opens the encoder for pictures of width x height (both even), frameMs apart, and adds its
  // stream to the container.
  bool Open(const char* codecName, const char* options, uint32_t frameMs, int width, int height,
            ContainerWriter* container, std::string* error);
  // rgba holds rows of pitch pixels, top row first; the picture is its top-left width x height.
  bool Add(const uint8_t* rgba, int pitch, std::string* error);
  bool Flush(std::string* error);

 private:
  ContainerWriter* container_ = nullptr;
  Owned<AVCodecContext> codec_;
  AVStream* stream_ = nullptr;
  Owned<SwsContext> converter_;
  Owned<AVFrame> frame_;
  int64_t pictures_ = 0;
};

}  // namespace video
