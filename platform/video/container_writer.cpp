#include "platform/video/container_writer.h"

extern "C" {
#include <libavformat/avformat.h>
}

#include <filesystem>

namespace video {

ContainerWriter::ContainerWriter() : packet_(av_packet_alloc()) {}

ContainerWriter::~ContainerWriter() {
  Remove();
}

bool ContainerWriter::Failed(int code, std::string* error) {
  *error = AvError(code);
  return false;
}

bool ContainerWriter::Create(const std::string& path, const char* format, std::string* error) {
  if (!packet_) return Failed(AVERROR(ENOMEM), error);
  int result = avformat_alloc_output_context2(&context_, nullptr, format, path.c_str());
  if (result < 0) return Failed(result, error);
  // No random identifiers or dates in the file: the same run gives the same bytes.
  context_->flags |= AVFMT_FLAG_BITEXACT;
  path_ = path;
  result = avio_open(&context_->pb, path.c_str(), AVIO_FLAG_WRITE);
  if (result < 0) {
    Close();
    return Failed(result, error);
  }
  return true;
}

AVStream* ContainerWriter::AddStream(AVCodecContext* codec, const char* options,
                                     std::string* error) {
  if (context_->oformat->flags & AVFMT_GLOBALHEADER) codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  AVDictionary* settings = nullptr;
  int result = av_dict_parse_string(&settings, options, "=", ":", 0);
  if (result >= 0) result = avcodec_open2(codec, nullptr, &settings);
  av_dict_free(&settings);
  AVStream* stream = result < 0 ? nullptr : avformat_new_stream(context_, nullptr);
  if (stream) result = avcodec_parameters_from_context(stream->codecpar, codec);
  if (result < 0 || !stream) {
    Failed(result < 0 ? result : AVERROR(ENOMEM), error);
    return nullptr;
  }
  stream->time_base = codec->time_base;
  stream->avg_frame_rate = codec->framerate;
  return stream;
}

bool ContainerWriter::Start(std::string* error) {
  const int result = avformat_write_header(context_, nullptr);
  if (result < 0) return Failed(result, error);
  started_ = true;
  return true;
}

bool ContainerWriter::Encode(AVCodecContext* codec, AVStream* stream, const AVFrame* frame,
                             std::string* error) {
  int result = avcodec_send_frame(codec, frame);
  while (result >= 0) {
    result = avcodec_receive_packet(codec, packet_.get());
    if (result < 0) break;
    av_packet_rescale_ts(packet_.get(), codec->time_base, stream->time_base);
    packet_->stream_index = stream->index;
    // Takes the packet's data; a full disk shows here, as the file's error.
    result = av_interleaved_write_frame(context_, packet_.get());
  }
  if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return true;
  return Failed(result, error);
}

bool ContainerWriter::Finish(std::string* error) {
  int result = av_write_trailer(context_);
  if (result >= 0 && context_->pb->error < 0) result = context_->pb->error;
  const int closed = Close();
  if (result >= 0) result = closed;
  if (result >= 0) return true;
  RemoveFile();
  return Failed(result, error);
}

int ContainerWriter::Close() {
  const int closed = avio_closep(&context_->pb);
  avformat_free_context(context_);
  context_ = nullptr;
  started_ = false;
  return closed;
}

void ContainerWriter::Remove() {
  if (!context_) return;
  Close();
  RemoveFile();
}

void ContainerWriter::RemoveFile() {
  std::error_code ignored;
  if (std::filesystem::is_regular_file(path_, ignored)) std::filesystem::remove(path_, ignored);
}

}  // namespace video
