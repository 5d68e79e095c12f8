#pragma once
#include <cstddef>
#include <vector>

namespace assetgen {

// A mono recording being made: samples nominally in -1..1 at a fixed rate.
class Sound {
 public:
  static constexpr int kSampleRate = 22050;

  explicit Sound(float seconds);

  size_t Size() const { return samples_.size(); }
  float Seconds(size_t sample) const { return static_cast<float>(sample) / kSampleRate; }
  float& operator[](size_t sample) { return samples_[sample]; }
  const std::vector<float>& Samples() const { return samples_; }

  // Scales so the loudest sample reaches the given peak.
  void Normalise(float peak);
  // Folds the last fadeSeconds over the start with an equal-power cross-fade and drops them:
  // the end then runs straight into the beginning, so the sound loops without a click.
  void MakeSeamlessLoop(float fadeSeconds);

 private:
  std::vector<float> samples_;
};

}  // namespace assetgen
