// The audio calls on SDL2_mixer. The mixer's own volumes (0 to 128) are too coarse for
// hundredths of a decibel: at -40 dB one step is 6 dB. So the mixer's volumes stay at full and
// every instance runs through a gain effect that reads its sound's linear gain as it mixes.
// That effect also applies the master gain, and a limiter runs over the finished mix.
#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <memory>
#include <span>
#include <string>

#include "platform/audio.h"
#include "platform/audio/headroom.h"
#include "platform/audio/offline_mixer.h"
#include "platform/files.h"

namespace audio {
namespace {

// The format of the program's own sounds, so that they play unconverted and loop without a
// seam; mono sounds play on both sides.
constexpr Uint16 kFormat = AUDIO_S16SYS;
constexpr int kOutputChannels = 2;
constexpr int kBufferFrames = 512;  // about 23 ms
// Instances that can play at once. The program plays five at the most: the waves and wind
// loops, the fire loop, the rumble and the explosion; the other three are room to spare.
constexpr int kVoices = 8;

struct Sound {
  std::vector<uint8_t> samples;   // in the mixer's format; the chunk points into them
  Mix_Chunk* chunk = nullptr;     // none while silent
  std::atomic<float> gain{1.0f};  // read on the mixing thread
};

// Everything the audio calls keep.
struct AudioSystem {
  bool open = false;
  bool silent = false;
  bool offlineAsked = false;
  std::vector<std::unique_ptr<Sound>> sounds;
  std::unique_ptr<PeakLimiter> limiter;   // runs on the mixing thread while open
  std::unique_ptr<OfflineMixer> offline;  // while a recording follows the program's clock
  uint64_t soundBytes = 0;                // what the sounds' samples take together
};

AudioSystem& System() {
  static AudioSystem system;
  return system;
}

Sound* Find(SoundId id) {
  AudioSystem& system = System();
  if (id < 0 || size_t(id) >= system.sounds.size()) return nullptr;
  return system.sounds[size_t(id)].get();
}

// Runs on the mixing thread over one instance's samples before they are mixed.
void ApplyGain(int /*voice*/, void* stream, int length, void* sound) {
  ScaleVoice(static_cast<int16_t*>(stream), size_t(length / 2),
             static_cast<const Sound*>(sound)->gain.load(std::memory_order_relaxed));
}

bool Fail(const std::string& why, std::string* reason) {
  *reason = why;
  return false;
}

// Bytes the mixer keeps of frames of pcm: two 16-bit channels for every frame at its rate.
uint64_t MixerBytes(const PcmSound& pcm, uint64_t frames) {
  const uint64_t mixerFrames = (frames * kMixRate + uint64_t(pcm.sampleRate) - 1) / pcm.sampleRate;
  return mixerFrames * kOutputChannels * sizeof(int16_t);
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
                         pcm.sampleRate, kFormat, kOutputChannels, kMixRate),
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

// Runs on the mixing thread over the sum of the voices.
void LimitMix(void* limiter, Uint8* stream, int length) {
  static_cast<PeakLimiter*>(limiter)->Process(reinterpret_cast<int16_t*>(stream),
                                              length / (kOutputChannels * 2));
}

int FreeVoice() {
  for (int voice = 0; voice < kVoices; ++voice) {
    if (!Mix_Playing(voice)) return voice;
  }
  return -1;
}

void StartOfflineMix() {
  AudioSystem& system = System();
  if (system.offlineAsked) system.offline = std::make_unique<OfflineMixer>(kVoices, kMixRate);
}

OpenResult Silent(const std::string& why, std::string* reason) {
  *reason = "no audio device (" + why + ")";
  System().open = true;
  System().silent = true;
  StartOfflineMix();
  return OpenResult::kSilent;
}

// The offline mix's view of the sound.
OfflineMixer::Source SourceOf(SoundId id, const Sound& sound) {
  return {id, sound.samples.data(), sound.samples.size() / (2 * sizeof(int16_t)), &sound.gain};
}

}  // namespace

OpenResult Open(std::string* reason) {
  AudioSystem& system = System();
  if (system.open) {
    *reason = "the audio mixer is already open";
    return OpenResult::kFailed;
  }
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return Silent(SDL_GetError(), reason);
  // No format changes allowed: SDL converts to whatever the device takes.
  if (Mix_OpenAudioDevice(kMixRate, kFormat, kOutputChannels, kBufferFrames, nullptr, 0) != 0) {
    const std::string why = Mix_GetError();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return Silent(why, reason);
  }
  if (Mix_AllocateChannels(kVoices) != kVoices) {
    *reason = "the audio mixer cannot play " + std::to_string(kVoices) + " sounds at once";
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    return OpenResult::kFailed;
  }
  system.limiter = std::make_unique<PeakLimiter>(kMixRate);
  Mix_SetPostMix(LimitMix, system.limiter.get());
  system.open = true;
  StartOfflineMix();
  return OpenResult::kOpened;
}

void Close() {
  AudioSystem& system = System();
  if (!system.open) return;
  if (!system.silent) {
    Mix_HaltChannel(-1);
    Mix_SetPostMix(nullptr, nullptr);
    for (const auto& sound : system.sounds) Mix_FreeChunk(sound->chunk);
    Mix_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
  }
  system.sounds.clear();
  system.limiter.reset();
  system.soundBytes = 0;
  system.offline.reset();
  system.offlineAsked = false;
  system.open = false;
  system.silent = false;
}

SoundId Load(const PcmSound& pcm, std::string* reason) {
  AudioSystem& system = System();
  if (!system.open) {
    *reason = "no sound output is open";
    return kNoSound;
  }
  auto sound = std::make_unique<Sound>();
  // Silent, the samples are kept only for the offline mix.
  if ((!system.silent || system.offline) &&
      !ToMixerFormat(pcm, kSoundBudgetBytes - system.soundBytes, &sound->samples, reason)) {
    return kNoSound;
  }
  system.soundBytes += sound->samples.size();
  if (!system.silent) {
    sound->chunk = Mix_QuickLoad_RAW(sound->samples.data(), Uint32(sound->samples.size()));
    if (!sound->chunk) {
      *reason = Mix_GetError();
      return kNoSound;
    }
  }
  system.sounds.push_back(std::move(sound));
  return static_cast<SoundId>(system.sounds.size() - 1);
}

bool Play(SoundId id, bool loop) {
  Sound* sound = Find(id);
  if (!sound) return false;
  const bool offline = !System().offline || System().offline->Play(SourceOf(id, *sound), loop);
  if (System().silent) return offline;
  const int voice = FreeVoice();
  if (voice < 0) return false;
  // The gain goes on before the instance starts, so not one buffer of it mixes at full volume.
  Mix_UnregisterAllEffects(voice);
  if (!Mix_RegisterEffect(voice, ApplyGain, nullptr, sound)) return false;
  return Mix_PlayChannel(voice, sound->chunk, loop ? -1 : 0) == voice;
}

bool SetVolume(SoundId id, int32_t volume) {
  Sound* sound = Find(id);
  if (!sound) return false;
  const float gain = volume <= kSilentVolume
                         ? 0.0f
                         : std::pow(10.0f, float(std::min(volume, int32_t{0})) / 2000.0f);
  sound->gain.store(gain, std::memory_order_relaxed);
  return true;
}

bool Stop(SoundId id) {
  Sound* sound = Find(id);
  if (!sound) return false;
  if (System().offline) System().offline->Stop(id);
  if (System().silent) return true;
  for (int voice = 0; voice < kVoices; ++voice) {
    if (Mix_Playing(voice) && Mix_GetChunk(voice) == sound->chunk) Mix_HaltChannel(voice);
  }
  return true;
}

void StopAll() {
  if (System().offline) System().offline->StopAll();
  if (System().open && !System().silent) Mix_HaltChannel(-1);
}

void EnableOfflineMix() {
  System().offlineAsked = true;
}

void MixOffline(int16_t* interleavedStereo, int frames) {
  if (System().offline) {
    System().offline->Mix(interleavedStereo, frames);
  } else {
    std::fill(interleavedStereo, interleavedStereo + 2 * size_t(std::max(frames, 0)), 0);
  }
}

}  // namespace audio
