#pragma once
// A video file of a run: its presented frames and its sound, encoded as they come, so that a run
// of any length keeps the same memory. The kind of file follows the name's ending (below).
#include <cstdint>
#include <memory>
#include <string>

namespace video {

// The endings a video file's name may have, ".mp4 or .webm", and the same with what each holds,
// ".mp4 (H.264 and AAC) or .webm (VP9 and Opus)".
std::string FileExtensions();
std::string FormatsDescription();

// One presented frame: 8-bit RGBA pixels, top row first, and the sound that plays for it,
// interleaved 16-bit stereo at the rate given to Create.
struct Frame {
  int width = 0;
  int height = 0;
  const uint8_t* rgba = nullptr;
  const int16_t* sound = nullptr;
  int soundFrames = 0;
};

class VideoFile {
 public:
  VideoFile();
  // A file that was created and not finished is removed.
  ~VideoFile();
  VideoFile(const VideoFile&) = delete;
  VideoFile& operator=(const VideoFile&) = delete;

  // Whether Create would succeed, checked without creating anything: false with the reason.
  static bool CanCreate(const std::string& path, std::string* error);
  // Creates the file for frames of frameMs each (1000 / frameMs a second) and sound of
  // soundRate frames a second. False with a one-line reason when the name's extension is not
  // one of the two, the encoders are missing or the file can't be created.
  bool Create(const std::string& path, uint32_t frameMs, int soundRate, std::string* error);
  // Every frame must have the first one's size; an odd width or height loses its last column
  // or row. False with the reason when the file can't be written.
  bool Add(const Frame& frame, std::string* error);
  // Writes what the encoders still hold and closes the file: it plays to the last frame added.
  // Without a frame added, the file is removed instead.
  bool Finish(std::string* error);
  // Closes the file and removes it.
  void Discard();
  bool IsOpen() const;

 private:
  struct Encoding;
  std::unique_ptr<Encoding> encoding_;
};

}  // namespace video
