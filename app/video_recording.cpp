#include "app/video_recording.h"

#include "platform/audio.h"
#include "platform/host.h"

bool VideoRecording::Start(std::string* error) {
  const RunDescription& run = host::Run();
  if (run.videoFile.empty()) return true;
  if (!file_.Create(run.videoFile, run.fixedStepMs, audio::kMixRate, error)) return false;
  if (const uint64_t total = run.FramesOfRun()) {
    progress_ = std::make_unique<ProgressLine>(run.videoFile, total);
  }
  return true;
}

uint64_t VideoRecording::SoundEnd(uint64_t frameNumber) const {
  // Rounded down to whole frames of the mix, so that the shares add up without drifting.
  return frameNumber * host::Run().fixedStepMs * audio::kMixRate / 1000;
}

bool VideoRecording::AddFrame(uint64_t frameNumber, const BackBufferImage& picture,
                              std::string* error) {
  if (!file_.IsOpen()) return true;
  // The sound from this frame's time to the next's.
  const int soundFrames = int(SoundEnd(frameNumber) - SoundEnd(frameNumber - 1));
  sound_.resize(2 * size_t(soundFrames));
  audio::MixOffline(sound_.data(), soundFrames);
  const video::Frame frame{int(picture.width), int(picture.height), picture.rgba.data(),
                           sound_.data(), soundFrames};
  if (!file_.Add(frame, error)) return false;
  if (progress_) progress_->Update(frameNumber);
  return true;
}

bool VideoRecording::Finish(std::string* error) {
  EndProgress();
  return !file_.IsOpen() || file_.Finish(error);
}

void VideoRecording::EndProgress() {
  if (progress_) progress_->End();
}

void VideoRecording::Abandon() {
  EndProgress();
  file_.Discard();
}
