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

    bool isOpen() const { return opens > 0; }
    bool effectSounding(int slot) const;
    bool musicSounding() const;

private:
    void shutDown();

    int opens = 0;
    Mix_Chunk* effects[kSlots] = {};
    _Mix_Music* music = nullptr;
};
