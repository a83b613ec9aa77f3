#pragma once
// Sound on SDL2_mixer: 32 channels, channel i reserved for effect slot i, and one music stream.
#include "../platform.h"

struct Mix_Chunk;
struct _Mix_Music;

class SdlAudio : public PlatformAudio {
public:
    static constexpr int kSlots = 32;

    SdlAudio() = default;
    ~SdlAudio() override;
    SdlAudio(const SdlAudio&) = delete;
    SdlAudio& operator=(const SdlAudio&) = delete;

    bool open() override;
    void close() override;
    bool loadEffect(int slot, const char* path) override;
    void playEffect(int slot) override;
    void stopEffects() override;
    bool loadMusic(const char* path) override;
    void playMusic(bool loop) override;
    void stopMusic() override;
    void setMusicVolume(float volume) override;
    float musicVolume() override;
    void fadeOutMusic(int milliseconds) override;
    void setLevels(int effects, int music) override;
    void pause(bool paused) override;

    bool isOpen() const { return opens > 0; }
    bool effectSounding(int slot) const;
    bool musicSounding() const;
    bool musicPaused() const;
    // The mixer's own volumes (0..128): the music's, and the effects' average.
    int mixerMusicVolume() const;
    int mixerEffectVolume() const;

private:
    void shutDown();

    int opens = 0;
    Mix_Chunk* effects[kSlots] = {};
    _Mix_Music* music = nullptr;
    float gameVolume = 1.0f;                 // what the game asked of the music
    int effectLevel = 100, musicLevel = 100; // the player's levels
};
