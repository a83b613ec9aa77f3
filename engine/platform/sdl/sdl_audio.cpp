#include "sdl_audio.h"

#include <SDL.h>
#include <SDL_mixer.h>

SdlAudio::~SdlAudio() {
    if (opens > 0) shutDown();
    opens = 0;
}

bool SdlAudio::open() {
    if (opens > 0) {
        opens += 1;
        return true;
    }
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) return false;
    Mix_Init(MIX_INIT_OGG);
    if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) != 0) {
        Mix_Quit();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
        return false;
    }
    // One channel per effect slot, all reserved, so nothing else ever takes a slot's channel.
    Mix_AllocateChannels(kSlots);
    Mix_ReserveChannels(kSlots);
    Mix_Volume(-1, effectLevel * MIX_MAX_VOLUME / 100);
    opens = 1;
    return true;
}

void SdlAudio::close() {
    if (opens == 0) return;
    opens -= 1;
    if (opens == 0) shutDown();
}

void SdlAudio::shutDown() {
    Mix_HaltChannel(-1);
    Mix_HaltMusic();
    for (Mix_Chunk*& chunk : effects) {
        if (chunk) Mix_FreeChunk(chunk);
        chunk = nullptr;
    }
    if (music) Mix_FreeMusic(music);
    music = nullptr;
    Mix_CloseAudio();
    Mix_Quit();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
}

bool SdlAudio::loadEffect(int slot, const char* path) {
    if (opens == 0 || slot < 0 || slot >= kSlots || !path) return false;
    if (effects[slot]) {
        Mix_HaltChannel(slot);
        Mix_FreeChunk(effects[slot]);
        effects[slot] = nullptr;
    }
    effects[slot] = Mix_LoadWAV(path);
    return effects[slot] != nullptr;
}

void SdlAudio::playEffect(int slot) {
    if (opens == 0 || slot < 0 || slot >= kSlots || !effects[slot]) return;
    // Playing on a busy channel cuts it off: the same effect restarts instead of overlapping.
    Mix_PlayChannel(slot, effects[slot], 0);
}

void SdlAudio::stopEffects() {
    if (opens > 0) Mix_HaltChannel(-1);
}

bool SdlAudio::loadMusic(const char* path) {
    if (opens == 0 || !path) return false;
    if (music) {
        Mix_HaltMusic();
        Mix_FreeMusic(music);
    }
    music = Mix_LoadMUS(path);
    return music != nullptr;
}

void SdlAudio::playMusic(bool loop) {
    if (opens > 0 && music) Mix_PlayMusic(music, loop ? -1 : 1);
}

void SdlAudio::stopMusic() {
    if (opens > 0) Mix_HaltMusic();
}

void SdlAudio::setMusicVolume(float volume) {
    gameVolume = volume < 0.0f ? 0.0f : (volume > 1.0f ? 1.0f : volume);
    if (opens == 0) return;
    const float level = gameVolume * static_cast<float>(musicLevel) / 100.0f;
    Mix_VolumeMusic(static_cast<int>(level * MIX_MAX_VOLUME + 0.5f));
}

float SdlAudio::musicVolume() {
    return opens == 0 ? 0.0f : gameVolume;
}

void SdlAudio::fadeOutMusic(int milliseconds) {
    if (opens > 0) Mix_FadeOutMusic(milliseconds < 0 ? 0 : milliseconds);
}

void SdlAudio::setLevels(int effects, int musicPercent) {
    auto clamp = [](int v) { return v < 0 ? 0 : (v > 100 ? 100 : v); };
    effectLevel = clamp(effects);
    musicLevel = clamp(musicPercent);
    if (opens == 0) return;
    Mix_Volume(-1, effectLevel * MIX_MAX_VOLUME / 100);
    setMusicVolume(gameVolume);
}

void SdlAudio::pause(bool paused) {
    if (opens == 0) return;
    if (paused) {
        Mix_PauseMusic();
        Mix_HaltChannel(-1);
    } else {
        Mix_ResumeMusic();
    }
}

bool SdlAudio::effectSounding(int slot) const {
    return opens > 0 && slot >= 0 && slot < kSlots && Mix_Playing(slot) != 0;
}

bool SdlAudio::musicSounding() const {
    return opens > 0 && Mix_PlayingMusic() != 0;
}

bool SdlAudio::musicPaused() const {
    return opens > 0 && Mix_PausedMusic() != 0;
}

int SdlAudio::mixerMusicVolume() const {
    return opens > 0 ? Mix_VolumeMusic(-1) : 0;
}

int SdlAudio::mixerEffectVolume() const {
    return opens > 0 ? Mix_Volume(-1, -1) : 0;
}
