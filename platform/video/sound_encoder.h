#pragma once
// The sound of a video: 16-bit stereo at the program's rate, resampled to the encoder's rate and
// format and encoded in the encoder's frame size.
#include <cstdint>
#include <string>

#include "platform/video/container_writer.h"

namespace video {

class SoundEncoder {
 public:
  // Opens the encoder for stereo sound arriving at inputRate and adds its stream.
  bool Open(const char* codecName, int64_t bitRate, int inputRate, ContainerWriter* container,
            std::string* error);
  bool Add(const int16_t* interleavedStereo, int frames, std::string* error);
  // Encodes what the resampler and the queue still hold, the last frame short.
  bool Flush(std::string* error);

 private:
  bool Resample(const uint8_t** input, int frames, std::string* error);
  // Whole encoder frames from the queue, and with all the rest as a last, shorter one.
  bool EncodeQueued(bool all, std::string* error);

  ContainerWriter* container_ = nullptr;
  Owned<AVCodecContext> codec_;
  AVStream* stream_ = nullptr;
  Owned<SwrContext> resampler_;
  Owned<AVAudioFifo> queue_;
  Owned<AVFrame> frame_;
  int64_t samples_ = 0;
};

}  // namespace video
