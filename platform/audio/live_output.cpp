#include "platform/audio/live_output.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace audio {
namespace {

constexpr int kBufferFrames = 512;  // about 23 ms

// Runs on the mixing thread over one instance's samples before they are mixed.
void ApplyGain(int /*voice*/, void* stream, int length, void* sound) {
  ScaleVoice(static_cast<int16_t*>(stream), size_t(length / 2),
             static_cast<const MixerSound*>(sound)->gain.load(std::memory_order_relaxed));
}

// Runs on the mixing thread over the sum of the voices.
void LimitMix(void* limiter, Uint8* stream, int length) {
  static_cast<PeakLimiter*>(limiter)->Process(reinterpret_cast<int16_t*>(stream),
                                              length / (2 * int(sizeof(int16_t))));
}

int FreeVoice() {
  for (int voice = 0; voice < kVoices; ++voice) {
    if (!Mix_Playing(voice)) return voice;
  }
  return -1;
}

}  // namespace

OpenResult LiveOutput::Open(std::string* reason) {
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    *reason = std::string("no audio device (") + SDL_GetError() + ")";
    return OpenResult::kSilent;
  }
  // The sounds' own format, so that they play unconverted and loop without a seam. No format
  // changes allowed: SDL converts to whatever the device takes.
  if (Mix_OpenAudioDevice(kMixRate, AUDIO_S16SYS, 2, kBufferFrames, nullptr, 0) != 0) {
    *reason = std::string("no audio device (") + Mix_GetError() + ")";
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return OpenResult::kSilent;
  }
  open_ = true;
  if (Mix_AllocateChannels(kVoices) != kVoices) {
    *reason = "the audio mixer cannot play " + std::to_string(kVoices) + " sounds at once";
    return OpenResult::kFailed;
  }
  limiter_ = std::make_unique<PeakLimiter>(kMixRate);
  Mix_SetPostMix(LimitMix, limiter_.get());
  return OpenResult::kOpened;
}

LiveOutput::~LiveOutput() {
  if (!open_) return;
  Mix_HaltChannel(-1);
  Mix_SetPostMix(nullptr, nullptr);
  for (const Entry& entry : sounds_) Mix_FreeChunk(entry.chunk);
  Mix_CloseAudio();
  SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool LiveOutput::Add(SoundId id, const MixerSound& sound, std::string* reason) {
  if (id < 0) return false;
  Mix_Chunk* chunk =
      Mix_QuickLoad_RAW(const_cast<Uint8*>(sound.samples.data()), Uint32(sound.samples.size()));
  if (!chunk) {
    *reason = Mix_GetError();
    return false;
  }
  if (size_t(id) >= sounds_.size()) sounds_.resize(size_t(id) + 1);
  sounds_[size_t(id)] = {chunk, &sound};
  return true;
}

bool LiveOutput::Play(SoundId id, bool loop) {
  if (id < 0 || size_t(id) >= sounds_.size() || !sounds_[size_t(id)].chunk) return false;
  const Entry& entry = sounds_[size_t(id)];
  const int voice = FreeVoice();
  if (voice < 0) return false;
  // The gain goes on before the instance starts, so not one buffer of it mixes at full volume.
  Mix_UnregisterAllEffects(voice);
  if (!Mix_RegisterEffect(voice, ApplyGain, nullptr, const_cast<MixerSound*>(entry.sound))) {
    return false;
  }
  return Mix_PlayChannel(voice, entry.chunk, loop ? -1 : 0) == voice;
}

void LiveOutput::Stop(SoundId id) {
  if (id < 0 || size_t(id) >= sounds_.size()) return;
  for (int voice = 0; voice < kVoices; ++voice) {
    if (Mix_Playing(voice) && Mix_GetChunk(voice) == sounds_[size_t(id)].chunk) {
      Mix_HaltChannel(voice);
    }
  }
}

void LiveOutput::StopAll() {
  Mix_HaltChannel(-1);
}

}  // namespace audio
