#include "platform/audio/offline_mixer.h"

#include <algorithm>
#include <cstring>

namespace audio {
namespace {

constexpr size_t kPieceFrames = 256;

}  // namespace

OfflineMixer::OfflineMixer(int voices, int sampleRate)
    : voices_(size_t(std::max(voices, 0))), limiter_(sampleRate) {}

bool OfflineMixer::Add(SoundId id, const MixerSound& sound, std::string*) {
  if (id < 0) return false;
  if (size_t(id) >= sounds_.size()) sounds_.resize(size_t(id) + 1, nullptr);
  sounds_[size_t(id)] = &sound;
  return true;
}

bool OfflineMixer::Play(SoundId id, bool loop) {
  if (id < 0 || size_t(id) >= sounds_.size() || !sounds_[size_t(id)]) return false;
  for (Voice& voice : voices_) {
    if (voice.playing) continue;
    voice = Voice{id, 0, loop, sounds_[size_t(id)]->Frames() > 0};
    return voice.playing;
  }
  return false;
}

void OfflineMixer::Stop(SoundId id) {
  for (Voice& voice : voices_) {
    if (voice.sound == id) voice.playing = false;
  }
}

void OfflineMixer::StopAll() {
  for (Voice& voice : voices_) voice.playing = false;
}

void OfflineMixer::Mix(int16_t* interleavedStereo, int frames) {
  frames = std::max(frames, 0);
  std::fill(interleavedStereo, interleavedStereo + 2 * size_t(frames), 0);
  for (Voice& voice : voices_) MixVoice(&voice, interleavedStereo, frames);
  limiter_.Process(interleavedStereo, frames);
}

// Piece by piece, as the live output mixes an instance: a copy of the samples, scaled, then added.
void OfflineMixer::MixVoice(Voice* voice, int16_t* interleavedStereo, int frames) const {
  if (!voice->playing) return;
  const MixerSound& sound = *sounds_[size_t(voice->sound)];
  const float gain = sound.gain.load(std::memory_order_relaxed);
  int16_t piece[2 * kPieceFrames];
  for (size_t done = 0; done < size_t(frames) && voice->playing;) {
    const size_t count =
        std::min({size_t(frames) - done, kPieceFrames, sound.Frames() - voice->position});
    std::memcpy(piece, sound.samples.data() + voice->position * sizeof piece[0] * 2,
                count * sizeof piece[0] * 2);
    ScaleVoice(piece, 2 * count, gain);
    int16_t* sum = interleavedStereo + 2 * done;
    for (size_t i = 0; i < 2 * count; ++i) {
      sum[i] = static_cast<int16_t>(std::clamp(sum[i] + piece[i], INT16_MIN, INT16_MAX));
    }
    done += count;
    voice->position += count;
    if (voice->position < sound.Frames()) continue;
    voice->position = 0;
    voice->playing = voice->loop;
  }
}

}  // namespace audio
