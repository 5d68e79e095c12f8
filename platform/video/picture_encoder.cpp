#include "platform/video/picture_encoder.h"

#include <numeric>

namespace video {

bool PictureEncoder::Open(const char* codecName, const char* options, uint32_t frameMs, int width,
                          int height, ContainerWriter* container, std::string* error) {
  container_ = container;
  const AVCodec* codec = avcodec_find_encoder_by_name(codecName);
  codec_.reset(codec ? avcodec_alloc_context3(codec) : nullptr);
  frame_.reset(av_frame_alloc());
  if (!codec_ || !frame_) {
    *error = "cannot set up the " + std::string(codecName) + " encoder";
    return false;
  }
  const int step = int(frameMs), divisor = std::gcd(step, 1000);
  codec_->time_base = AVRational{step / divisor, 1000 / divisor};
  codec_->framerate = AVRational{1000 / divisor, step / divisor};
  codec_->width = width;
  codec_->height = height;
  codec_->pix_fmt = AV_PIX_FMT_YUV420P;
  // What the converter below writes: BT.601 studio range.
  codec_->colorspace = AVCOL_SPC_SMPTE170M;
  codec_->color_range = AVCOL_RANGE_MPEG;
  codec_->bit_rate = 0;  // constant quality, from the options
  stream_ = container_->AddStream(codec_.get(), options, error);
  if (!stream_) return false;

  frame_->format = codec_->pix_fmt;
  frame_->width = width;
  frame_->height = height;
  converter_.reset(sws_getContext(width, height, AV_PIX_FMT_RGBA, width, height, AV_PIX_FMT_YUV420P,
                                  SWS_BICUBIC, nullptr, nullptr, nullptr));
  if (!converter_ || av_frame_get_buffer(frame_.get(), 0) < 0) {
    *error = "cannot set up the picture conversion";
    return false;
  }
  return true;
}

bool PictureEncoder::Add(const uint8_t* rgba, int pitch, std::string* error) {
  // The encoder may still hold the last picture's buffer.
  if (av_frame_make_writable(frame_.get()) < 0) {
    *error = "out of memory";
    return false;
  }
  const uint8_t* rows[] = {rgba};
  const int pitches[] = {pitch * 4};
  sws_scale(converter_.get(), rows, pitches, 0, codec_->height, frame_->data, frame_->linesize);
  frame_->pts = pictures_++;
  return container_->Encode(codec_.get(), stream_, frame_.get(), error);
}

bool PictureEncoder::Flush(std::string* error) {
  return container_->Encode(codec_.get(), stream_, nullptr, error);
}

}  // namespace video
