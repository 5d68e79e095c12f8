#include "services/sound_system.h"

#include <cstdio>

#include "platform/files.h"
#include "services/wav_file.h"

SoundSystem::~SoundSystem() {
  if (!started_) return;
  for (const SoundEntry& entry : sounds_) audio::Stop(entry.sound);
  audio::StopAll();
  audio::Close();
}

bool SoundSystem::Init(HWND /*window*/) {
  std::string reason;
  switch (audio::Open(&reason)) {
    case audio::OpenResult::kOpened:
      break;
    case audio::OpenResult::kSilent:
      std::fprintf(stderr, "%s: the demo runs silent\n", reason.c_str());
      break;
    case audio::OpenResult::kFailed:
      return false;
  }
  started_ = true;
  return true;
}

bool SoundSystem::Load(const char* fileName, const char* name) {
  if (!started_ || !name) return false;
  audio::PcmSound pcm;
  std::string error;
  if (!ReadWavFile(fileName, &pcm, &error)) {
    ReportOnce(error);
    return false;
  }
  const audio::SoundId sound = audio::Load(pcm, &error);
  if (sound == audio::kNoSound) {
    ReportOnce(HostPath(fileName) + ": " + error);
    return false;
  }
  sounds_.push_back({name, sound});
  return true;
}

const SoundSystem::SoundEntry* SoundSystem::Find(const char* name) const {
  if (!name) return nullptr;
  for (const SoundEntry& entry : sounds_) {
    if (entry.name == name) return &entry;
  }
  return nullptr;
}

bool SoundSystem::Play(const char* name, bool loop) {
  const SoundEntry* entry = Find(name);
  return entry && audio::Play(entry->sound, loop);
}

bool SoundSystem::SetVolume(const char* name, int32_t volume) {
  const SoundEntry* entry = Find(name);
  return entry && audio::SetVolume(entry->sound, volume);
}

bool SoundSystem::Stop(const char* name) {
  const SoundEntry* entry = Find(name);
  return entry && audio::Stop(entry->sound);
}
