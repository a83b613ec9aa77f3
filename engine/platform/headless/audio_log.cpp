#include "audio_log.h"

void RecordingAudio::log(AudioEvent::Kind kind, int value, std::string path) {
    events.push_back(AudioEvent{frame, kind, value, std::move(path)});
}

bool RecordingAudio::loadEffect(int slot, const char* path) {
    if (slot < 0 || slot >= kSlots || !path || !*path) return false;
    effects[slot] = path;
    return true;
}

void RecordingAudio::playEffect(int slot) {
    if (slot >= 0 && slot < kSlots && !effects[slot].empty()) log(AudioEvent::PlayEffect, slot);
}

void RecordingAudio::stopEffects() {
    log(AudioEvent::StopEffects, 0);
}

bool RecordingAudio::loadMusic(const char* path) {
    musicLoaded = path && *path;
    if (musicLoaded) log(AudioEvent::LoadMusic, 0, path);
    return musicLoaded;
}

void RecordingAudio::playMusic(bool loop) {
    if (musicLoaded) log(AudioEvent::PlayMusic, loop ? 1 : 0);
}

void RecordingAudio::stopMusic() {
    log(AudioEvent::StopMusic, 0);
}

void RecordingAudio::setMusicVolume(float v) {
    // The same rounding onto the mixer's scale as the SDL backend.
    const float clamped = v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
    volume = static_cast<int>(clamped * kFullVolume + 0.5f);
    log(AudioEvent::MusicVolume, volume);
}

void RecordingAudio::fadeOutMusic(int milliseconds) {
    log(AudioEvent::FadeOutMusic, milliseconds < 0 ? 0 : milliseconds);
}
