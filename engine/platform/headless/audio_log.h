#pragma once
// An audio backend that plays nothing and writes down every request with the frame it came in,
// the way the SDL backend would act on it: a later offline mix turns the log into the sound of
// the play, sample for sample.
#include <cstdint>
#include <string>
#include <vector>

#include "../platform.h"

struct AudioEvent {
    enum Kind : uint8_t {
        PlayEffect,   // value: the slot (restarts it when still sounding)
        StopEffects,  // every slot falls silent
        LoadMusic,    // path: the track; the track playing stops
        PlayMusic,    // value: 1 loops forever, 0 plays once
        StopMusic,    //
        MusicVolume,  // value: 0..128, the mixer's own scale
        FadeOutMusic, // value: milliseconds
    };
    uint32_t frame; // frames finished before the request: frame n starts at sample n x 735
    Kind kind;
    int value;
    std::string path;
};

class RecordingAudio : public PlatformAudio {
public:
    static constexpr int kSlots = 32;
    static constexpr int kFullVolume = 128;

    bool open() override { return true; }
    void close() override {}
    // Any named file is taken: one that cannot be decoded mixes as silence, as a slot that
    // failed to load sounds in the program.
    bool loadEffect(int slot, const char* path) override;
    void playEffect(int slot) override;
    void stopEffects() override;
    bool loadMusic(const char* path) override;
    void playMusic(bool loop) override;
    void stopMusic() override;
    void setMusicVolume(float volume) override;
    float musicVolume() override { return static_cast<float>(volume) / kFullVolume; }
    void fadeOutMusic(int milliseconds) override;
    // The player's listening levels and the pause belong to a window, not to the play: a video
    // carries the play's sound at the game's own volumes.
    void setLevels(int, int) override {}
    void pause(bool) override {}

    uint32_t frame = 0; // set by the one driving the frames
    std::vector<AudioEvent> events;
    std::string effects[kSlots]; // the file loaded into each slot

private:
    void log(AudioEvent::Kind kind, int value, std::string path = {});
    int volume = kFullVolume;
    bool musicLoaded = false;
};
