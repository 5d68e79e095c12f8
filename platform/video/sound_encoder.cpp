#include "platform/video/sound_encoder.h"

#include <algorithm>
#include <vector>

namespace video {
namespace {

// Opus takes no other rate; AAC takes it too.
constexpr int kEncodedRate = 48000;
// A layout in the native order owns no memory: copies need no av_channel_layout_copy.
constexpr AVChannelLayout kStereo = AV_CHANNEL_LAYOUT_STEREO;

}  // namespace

bool SoundEncoder::Open(const char* codecName, int64_t bitRate, int inputRate,
                        ContainerWriter* container, std::string* error) {
  container_ = container;
  const AVCodec* codec = avcodec_find_encoder_by_name(codecName);
  codec_.reset(codec ? avcodec_alloc_context3(codec) : nullptr);
  frame_.reset(av_frame_alloc());
  if (!codec_ || !frame_ || !codec->sample_fmts) {
    *error = "cannot set up the " + std::string(codecName) + " encoder";
    return false;
  }
  codec_->sample_fmt = codec->sample_fmts[0];
  codec_->sample_rate = kEncodedRate;
  codec_->time_base = AVRational{1, kEncodedRate};
  codec_->bit_rate = bitRate;
  codec_->ch_layout = kStereo;
  stream_ = container_->AddStream(codec_.get(), "", error);
  if (!stream_) return false;

  SwrContext* resampler = nullptr;
  AVChannelLayout stereo = kStereo;
  const int made = swr_alloc_set_opts2(&resampler, &stereo, codec_->sample_fmt, kEncodedRate,
                                       &stereo, AV_SAMPLE_FMT_S16, inputRate, 0, nullptr);
  resampler_.reset(resampler);
  queue_.reset(av_audio_fifo_alloc(codec_->sample_fmt, 2, std::max(codec_->frame_size, 1)));
  if (made < 0 || swr_init(resampler_.get()) < 0 || !queue_) {
    *error = "cannot set up the sound conversion";
    return false;
  }
  return true;
}

bool SoundEncoder::Resample(const uint8_t** input, int frames, std::string* error) {
  const int room = swr_get_out_samples(resampler_.get(), frames);
  uint8_t** output = nullptr;
  int converted = av_samples_alloc_array_and_samples(&output, nullptr, 2, std::max(room, 1),
                                                     codec_->sample_fmt, 0);
  if (converted >= 0) {
    converted = swr_convert(resampler_.get(), output, room, input, frames);
  }
  if (converted > 0 &&
      av_audio_fifo_write(queue_.get(), reinterpret_cast<void**>(output), converted) < converted) {
    converted = AVERROR(ENOMEM);
  }
  if (output) av_freep(&output[0]);
  av_freep(&output);
  if (converted >= 0) return true;
  *error = AvError(converted);
  return false;
}

bool SoundEncoder::EncodeQueued(bool all, std::string* error) {
  // Encoders of any frame size take AAC's.
  const int frameSize = codec_->frame_size > 0 ? codec_->frame_size : 1024;
  const auto queued = [this] { return av_audio_fifo_size(queue_.get()); };
  while (queued() >= frameSize || (all && queued() > 0)) {
    av_frame_unref(frame_.get());
    frame_->nb_samples = std::min(frameSize, queued());
    frame_->format = codec_->sample_fmt;
    frame_->sample_rate = codec_->sample_rate;
    frame_->ch_layout = kStereo;
    if (av_frame_get_buffer(frame_.get(), 0) < 0 ||
        av_audio_fifo_read(queue_.get(), reinterpret_cast<void**>(frame_->data),
                           frame_->nb_samples) < frame_->nb_samples) {
      *error = "out of memory";
      return false;
    }
    frame_->pts = samples_;
    samples_ += frame_->nb_samples;
    if (!container_->Encode(codec_.get(), stream_, frame_.get(), error)) return false;
  }
  return true;
}

bool SoundEncoder::Add(const int16_t* interleavedStereo, int frames, std::string* error) {
  const uint8_t* input[] = {reinterpret_cast<const uint8_t*>(interleavedStereo)};
  return Resample(input, frames, error) && EncodeQueued(false, error);
}

bool SoundEncoder::Flush(std::string* error) {
  // The resampler's tail, then whatever is left as a last, shorter frame.
  return Resample(nullptr, 0, error) && EncodeQueued(true, error) &&
         container_->Encode(codec_.get(), stream_, nullptr, error);
}

}  // namespace video
