#pragma once
// The container of a video file: its streams, the packets their encoders give, in time order,
// and the file they go to.
#include <string>

#include "platform/video/ffmpeg_owned.h"

struct AVFormatContext;
struct AVStream;

namespace video {

class ContainerWriter {
 public:
  ContainerWriter();
  // An unfinished file is removed.
  ~ContainerWriter();
  ContainerWriter(const ContainerWriter&) = delete;
  ContainerWriter& operator=(const ContainerWriter&) = delete;

  // Creates the file in the container format of that FFmpeg name ("mp4", "webm").
  bool Create(const std::string& path, const char* format, std::string* error);
  // Opens the encoder with its options ("name=value:name=value") and gives it a stream; every
  // stream is added before Start.
  AVStream* AddStream(AVCodecContext* codec, const char* options, std::string* error);
  bool Start(std::string* error);
  bool IsStarted() const { return started_; }
  // Sends one frame to the encoder (none: the encoder gives up what it holds) and writes every
  // packet that comes out.
  bool Encode(AVCodecContext* codec, AVStream* stream, const AVFrame* frame, std::string* error);
  // Writes the index and closes the file.
  bool Finish(std::string* error);
  // Closes the file and removes it, unless it is not a plain file (a device such as /dev/null).
  void Remove();

 private:
  bool Failed(int code, std::string* error);
  // Closes the file and lets go of the container; the result of the close.
  int Close();
  // Unless it is not a plain file.
  void RemoveFile();

  std::string path_;
  AVFormatContext* context_ = nullptr;
  Owned<AVPacket> packet_;
  bool started_ = false;
};

}  // namespace video
