#pragma once
// The sound of a play, mixed offline from the audio requests it made, the way the program's
// mixer plays them: 16-bit stereo at 44.1 kHz, frame n starting at sample n x 735.
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/headless/audio_log.h"

constexpr int kMixRate = 44100;
constexpr int kSamplesPerFrame = kMixRate / 60; // 735

// The decoded sound of a file (interleaved stereo at the mix rate), or null when it has none.
using ZTSoundSource = std::function<const std::vector<int16_t>*(const std::string& path)>;

// A player's listening levels, 0..100 each, as the program's settings hold them.
struct ZTMixLevels {
    int effects = 100;
    int music = 100;
};

// `frames` frames of sound, interleaved left/right: the music stream first, at its volume, then
// the 32 effect slots in slot order, each added with clipping. An effect started again restarts;
// a track loops forever or plays once; a fade lowers the music in steps of 1024 samples. The
// levels scale music and effects as the program's mixer does.
std::vector<int16_t> ztMixdown(const std::vector<AudioEvent>& events,
                               const std::string (&effects)[RecordingAudio::kSlots],
                               uint32_t frames, const ZTSoundSource& sounds,
                               ZTMixLevels levels = {});

// Decodes each file once and keeps it for the whole mix.
class ZTSoundCache {
public:
    const std::vector<int16_t>* operator()(const std::string& path);

private:
    std::map<std::string, std::vector<int16_t>> decoded; // nodes stay put: pointers hold
};

// A 16-bit stereo WAV file of the samples. False when it could not be written.
bool ztWriteWav(const char* path, const std::vector<int16_t>& stereo);
