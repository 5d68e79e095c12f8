// The audio calls: the sounds, converted once to the mixer's format within their budget, and the
// outputs chosen as the output opens, from the run's description: the live mixer on the device,
// or the silent output where none opens; and for a recording, the offline mix as well.
#include <SDL2/SDL.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <span>
#include <string>

#include "platform/audio.h"
#include "platform/audio/live_output.h"
#include "platform/audio/offline_mixer.h"
#include "platform/audio/silent_output.h"
#include "platform/files.h"
#include "platform/host.h"

namespace audio {
namespace {

// Everything the audio calls keep: no outputs while closed.
struct AudioSystem {
  std::vector<std::unique_ptr<MixerSound>> sounds;  // by id
  std::vector<std::unique_ptr<SoundOutput>> outputs;
  OfflineMixer* offline = nullptr;  // one of the outputs, for a recording
  uint64_t soundBytes = 0;          // what the sounds' samples take together
};

AudioSystem& System() {
  static AudioSystem system;
  return system;
}

MixerSound* Find(SoundId id) {
  AudioSystem& system = System();
  if (id < 0 || size_t(id) >= system.sounds.size()) return nullptr;
  return system.sounds[size_t(id)].get();
}

bool Fail(const std::string& why, std::string* reason) {
  *reason = why;
  return false;
}

// Bytes the mixer keeps of frames of pcm: two 16-bit channels for every frame at its rate.
uint64_t MixerBytes(const PcmSound& pcm, uint64_t frames) {
  const uint64_t mixerFrames = (frames * kMixRate + uint64_t(pcm.sampleRate) - 1) / pcm.sampleRate;
  return mixerFrames * 2 * sizeof(int16_t);
}

// Moves what the stream has converted to the end of out; false when that would pass room.
bool Drain(SDL_AudioStream* stream, uint64_t room, std::vector<uint8_t>* out) {
  for (int available; (available = SDL_AudioStreamAvailable(stream)) > 0;) {
    const size_t at = out->size();
    if (at + size_t(available) > room) return false;
    out->resize(at + size_t(available));
    const int got = SDL_AudioStreamGet(stream, out->data() + at, available);
    out->resize(at + size_t(std::max(got, 0)));
    if (got <= 0) return got == 0;
  }
  return true;
}

// Feeds the stream the samples a piece at a time and takes out what it has converted after each,
// so that nothing but the result grows with the sound.
bool Convert(SDL_AudioStream* stream, std::span<const uint8_t> samples, uint64_t room,
             std::vector<uint8_t>* out) {
  constexpr size_t kPieceBytes = 64 << 10;
  for (size_t at = 0; at < samples.size(); at += kPieceBytes) {
    const size_t piece = std::min(kPieceBytes, samples.size() - at);
    if (SDL_AudioStreamPut(stream, samples.data() + at, int(piece)) != 0 ||
        !Drain(stream, room, out)) {
      return false;
    }
  }
  return SDL_AudioStreamFlush(stream) == 0 && Drain(stream, room, out);
}

// The sound in the mixer's format, if it fits in room bytes: checked before it is made.
bool ToMixerFormat(const PcmSound& pcm, uint64_t room, std::vector<uint8_t>* out,
                   std::string* reason) {
  if ((pcm.bitsPerSample != 8 && pcm.bitsPerSample != 16) || pcm.channels < 1 || pcm.channels > 2 ||
      pcm.sampleRate <= 0) {
    return Fail("not 8- or 16-bit sound of one or two channels", reason);
  }
  const size_t frameBytes = size_t(pcm.channels) * size_t(pcm.bitsPerSample / 8);
  const size_t length = pcm.samples.size() - pcm.samples.size() % frameBytes;
  if (length == 0) return Fail("no whole sample", reason);
  const uint64_t needed = MixerBytes(pcm, length / frameBytes);
  if (needed > room) {
    return Fail("it takes " + InMiB(needed) + " in the mixer's format, more than the " +
                    InMiB(room) + " left of the " + InMiB(kSoundBudgetBytes) +
                    " all sounds may take",
                reason);
  }
  const std::unique_ptr<SDL_AudioStream, void (*)(SDL_AudioStream*)> stream(
      SDL_NewAudioStream(pcm.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB, Uint8(pcm.channels),
                         pcm.sampleRate, AUDIO_S16SYS, 2, kMixRate),
      SDL_FreeAudioStream);
  if (!stream) {
    return Fail(std::string("no conversion to the mixer's format (") + SDL_GetError() + ")",
                reason);
  }
  out->clear();
  out->reserve(size_t(needed));
  if (Convert(stream.get(), {pcm.samples.data(), length}, room, out)) return true;
  return Fail(std::string("a failed conversion (") + SDL_GetError() + ")", reason);
}

}  // namespace

OpenResult Open(std::string* reason) {
  AudioSystem& system = System();
  if (!system.outputs.empty()) {
    *reason = "the audio mixer is already open";
    return OpenResult::kFailed;
  }
  auto live = std::make_unique<LiveOutput>();
  const OpenResult result = live->Open(reason);
  if (result == OpenResult::kFailed) return result;
  if (result == OpenResult::kOpened) {
    system.outputs.push_back(std::move(live));
  } else {
    system.outputs.push_back(std::make_unique<SilentOutput>());
  }
  if (host::Run().MixesOffline()) {
    auto offline = std::make_unique<OfflineMixer>(kVoices, kMixRate);
    system.offline = offline.get();
    system.outputs.push_back(std::move(offline));
  }
  return result;
}

void Close() {
  AudioSystem& system = System();
  // The outputs first: they play from the sounds' samples.
  system.outputs.clear();
  system.offline = nullptr;
  system.sounds.clear();
  system.soundBytes = 0;
}

SoundId Load(const PcmSound& pcm, std::string* reason) {
  AudioSystem& system = System();
  if (system.outputs.empty()) {
    *reason = "no sound output is open";
    return kNoSound;
  }
  auto sound = std::make_unique<MixerSound>();
  if (!ToMixerFormat(pcm, kSoundBudgetBytes - system.soundBytes, &sound->samples, reason)) {
    return kNoSound;
  }
  const auto id = static_cast<SoundId>(system.sounds.size());
  for (const auto& output : system.outputs) {
    if (!output->Add(id, *sound, reason)) return kNoSound;
  }
  system.soundBytes += sound->samples.size();
  system.sounds.push_back(std::move(sound));
  return id;
}

bool Play(SoundId id, bool loop) {
  if (!Find(id)) return false;
  bool played = true;
  for (const auto& output : System().outputs) played = output->Play(id, loop) && played;
  return played;
}

bool SetVolume(SoundId id, int32_t volume) {
  MixerSound* sound = Find(id);
  if (!sound) return false;
  const float gain = volume <= kSilentVolume
                         ? 0.0f
                         : std::pow(10.0f, float(std::min(volume, int32_t{0})) / 2000.0f);
  sound->gain.store(gain, std::memory_order_relaxed);
  return true;
}

bool Stop(SoundId id) {
  if (!Find(id)) return false;
  for (const auto& output : System().outputs) output->Stop(id);
  return true;
}

void StopAll() {
  for (const auto& output : System().outputs) output->StopAll();
}

void MixOffline(int16_t* interleavedStereo, int frames) {
  if (System().offline) {
    System().offline->Mix(interleavedStereo, frames);
  } else {
    std::fill(interleavedStereo, interleavedStereo + 2 * size_t(std::max(frames, 0)), 0);
  }
}

}  // namespace audio
