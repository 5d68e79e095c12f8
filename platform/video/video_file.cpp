// The video file on FFmpeg's libraries: a container writer with a picture and a sound encoder,
// set up at the first frame, when the pictures' size is known.
#include "platform/files.h"
#include "platform/video.h"
#include "platform/video/container_writer.h"
#include "platform/video/picture_encoder.h"
#include "platform/video/sound_encoder.h"
#include "platform/video/video_format.h"

namespace video {

struct VideoFile::Encoding {
  const Format* format = nullptr;
  uint32_t frameMs = 0;
  int soundRate = 0;
  int width = 0;
  int height = 0;
  ContainerWriter container;
  PictureEncoder picture;
  SoundEncoder sound;

  bool Start(int frameWidth, int frameHeight, std::string* error) {
    width = frameWidth & ~1;
    height = frameHeight & ~1;
    if (width <= 0 || height <= 0) {
      *error = "the pictures are empty";
      return false;
    }
    return picture.Open(format->pictureCodec, format->pictureOptions, frameMs, width, height,
                        &container, error) &&
           sound.Open(format->soundCodec, format->soundBitRate, soundRate, &container, error) &&
           container.Start(error);
  }

  bool Add(const Frame& frame, std::string* error) {
    if (!container.IsStarted() && !Start(frame.width, frame.height, error)) return false;
    if ((frame.width & ~1) != width || (frame.height & ~1) != height) {
      *error = "the pictures changed size";
      return false;
    }
    return picture.Add(frame.rgba, frame.width, error) &&
           sound.Add(frame.sound, frame.soundFrames, error);
  }
};

VideoFile::VideoFile() = default;
VideoFile::~VideoFile() = default;

bool VideoFile::CanCreate(const std::string& path, std::string* error) {
  const Format* format = FormatOf(path);
  if (!format) {
    *error = "a video file's name ends in " + FormatsDescription();
    return false;
  }
  for (const char* codec : {format->pictureCodec, format->soundCodec}) {
    if (!avcodec_find_encoder_by_name(codec)) {
      *error = std::string("FFmpeg's libraries here have no ") + codec + " encoder";
      return false;
    }
  }
  return CanWriteFile(path, error);
}

bool VideoFile::Create(const std::string& path, uint32_t frameMs, int soundRate,
                       std::string* error) {
  if (!CanCreate(path, error)) return false;
  const Format* format = FormatOf(path);
  // Failures come back as results and are reported once, by the caller.
  av_log_set_level(AV_LOG_QUIET);
  auto encoding = std::make_unique<Encoding>();
  encoding->format = format;
  encoding->frameMs = frameMs;
  encoding->soundRate = soundRate;
  if (!encoding->container.Create(path, format->container, error)) {
    *error = "cannot create the file: " + *error;
    return false;
  }
  encoding_ = std::move(encoding);
  return true;
}

bool VideoFile::Add(const Frame& frame, std::string* error) {
  if (!encoding_) {
    *error = "the file is not open";
    return false;
  }
  if (encoding_->Add(frame, error)) return true;
  Discard();
  return false;
}

bool VideoFile::Finish(std::string* error) {
  // A run that presented no frame leaves no file.
  if (!encoding_ || !encoding_->container.IsStarted()) {
    Discard();
    return true;
  }
  const bool finished = encoding_->picture.Flush(error) && encoding_->sound.Flush(error) &&
                        encoding_->container.Finish(error);
  encoding_.reset();  // removes the file unless it was finished
  return finished;
}

void VideoFile::Discard() {
  encoding_.reset();
}

bool VideoFile::IsOpen() const {
  return encoding_ != nullptr;
}

}  // namespace video
