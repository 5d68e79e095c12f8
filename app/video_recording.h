#pragma once
// The run as a video file: every presented frame's picture with its share of the offline sound
// mix, both in step with the fixed-step clock, encoded as they come. Progress goes to standard
// error when the run's length is known.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/progress_line.h"
#include "platform/d3d8.h"
#include "platform/video.h"

class VideoRecording {
 public:
  // Creates the run's video file, when it asks for one; before the start-up. False with the
  // reason when the file can't be made.
  bool Start(std::string* error);
  bool IsRecording() const { return file_.IsOpen(); }
  // After every presented frame, numbered from 1, with its picture. False with the reason once
  // the file can't be written; the file is then removed.
  bool AddFrame(uint64_t frameNumber, const BackBufferImage& picture, std::string* error);
  // Completes the file, so that it plays to the last frame; a run without frames leaves none.
  bool Finish(std::string* error);
  // Ends the progress line before other output.
  void EndProgress();
  // Gives up on the file after a failure: the progress line ends and the file, if still there,
  // is removed.
  void Abandon();

 private:
  // Frames of the mix from the start up to where frame frameNumber hands over to the next.
  uint64_t SoundEnd(uint64_t frameNumber) const;

  video::VideoFile file_;
  std::vector<int16_t> sound_;
  std::unique_ptr<ProgressLine> progress_;
};
