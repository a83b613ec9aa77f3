#include "mix.h"

#include <algorithm>
#include <cstdio>

#include "platform/sdl/sdl_sound_decode.h"

namespace {

constexpr int kFull = RecordingAudio::kFullVolume;
// The mixer hands the device 1024 samples at a time and steps a fade once per hand-over; one
// step is 23 ms at 44.1 kHz.
constexpr int kFadeBlock = 1024;
constexpr int kFadeStepMs = kFadeBlock * 1000 / kMixRate;

struct Voice {
    const std::vector<int16_t>* pcm = nullptr;
    size_t at = 0; // the next sample pair
    bool sounding() const { return pcm && at * 2 < pcm->size(); }
};

struct Music {
    const std::vector<int16_t>* loaded = nullptr;
    Voice voice;
    bool playing = false;
    bool loop = false;
    int volume = kFull;
    int fadeSteps = 0;    // 0: not fading
    int64_t fadeFrom = 0; // the sample the fade began at
};

int16_t clip(int v) {
    return static_cast<int16_t>(std::clamp(v, -32768, 32767));
}

} // namespace

std::vector<int16_t> ztMixdown(const std::vector<AudioEvent>& events,
                               const std::string (&effects)[RecordingAudio::kSlots],
                               uint32_t frames, const ZTSoundSource& sounds, ZTMixLevels levels) {
    // The mixer's own scale: effects by channel volume, music by its stream volume.
    const int effectVolume = std::clamp(levels.effects, 0, 100) * kFull / 100;
    const int musicLevel = std::clamp(levels.music, 0, 100);
    const int64_t total = int64_t{frames} * kSamplesPerFrame;
    std::vector<int16_t> out(static_cast<size_t>(total) * 2, 0);
    Voice slots[RecordingAudio::kSlots];
    Music music;

    // Mixes samples [from, to) of the play into `out`.
    auto render = [&](int64_t from, int64_t to) {
        for (int64_t s = from; s < to; ++s) {
            int left = 0, right = 0;
            if (music.playing) {
                int volume = music.volume;
                if (music.fadeSteps > 0) {
                    // Each block plays a step quieter; after the last step the track halts.
                    const int64_t step = (s - music.fadeFrom) / kFadeBlock + 1;
                    if (step > music.fadeSteps) {
                        music.playing = false;
                        music.fadeSteps = 0;
                    } else {
                        volume = static_cast<int>(music.volume * (music.fadeSteps - step) /
                                                  music.fadeSteps);
                    }
                }
                if (music.playing && !music.voice.sounding() && music.loop) music.voice.at = 0;
                if (music.playing && music.voice.sounding()) {
                    const int16_t* p = music.voice.pcm->data() + music.voice.at * 2;
                    left = p[0] * volume / kFull;
                    right = p[1] * volume / kFull;
                    music.voice.at += 1;
                } else {
                    music.playing = false;
                }
            }
            for (Voice& v : slots) {
                if (!v.sounding()) continue;
                const int16_t* p = v.pcm->data() + v.at * 2;
                left = clip(left + p[0] * effectVolume / kFull);
                right = clip(right + p[1] * effectVolume / kFull);
                v.at += 1;
            }
            out[static_cast<size_t>(s) * 2] = static_cast<int16_t>(left);
            out[static_cast<size_t>(s) * 2 + 1] = static_cast<int16_t>(right);
        }
    };

    int64_t done = 0;
    for (const AudioEvent& e : events) {
        const int64_t at = std::min<int64_t>(int64_t{e.frame} * kSamplesPerFrame, total);
        if (at > done) render(done, at);
        done = std::max(done, at);
        switch (e.kind) {
        case AudioEvent::PlayEffect:
            if (e.value >= 0 && e.value < RecordingAudio::kSlots)
                slots[e.value] = Voice{sounds(effects[e.value]), 0};
            break;
        case AudioEvent::StopEffects:
            for (Voice& v : slots) v = Voice{};
            break;
        case AudioEvent::LoadMusic:
            music.playing = false;
            music.fadeSteps = 0;
            music.loaded = sounds(e.path);
            break;
        case AudioEvent::PlayMusic:
            music.voice = Voice{music.loaded, 0};
            music.playing = music.loaded != nullptr;
            music.loop = e.value != 0;
            music.fadeSteps = 0;
            break;
        case AudioEvent::StopMusic:
            music.playing = false;
            music.fadeSteps = 0;
            break;
        case AudioEvent::MusicVolume:
            music.volume = (std::clamp(e.value, 0, kFull) * musicLevel + 50) / 100;
            break;
        case AudioEvent::FadeOutMusic:
            if (e.value <= 0) {
                music.playing = false;
            } else if (music.playing && music.fadeSteps == 0) {
                music.fadeSteps = (e.value + kFadeStepMs - 1) / kFadeStepMs;
                music.fadeFrom = at;
            }
            break;
        }
    }
    render(done, total);
    return out;
}

const std::vector<int16_t>* ZTSoundCache::operator()(const std::string& path) {
    auto found = decoded.find(path);
    if (found == decoded.end()) {
        found = decoded.emplace(path, std::vector<int16_t>{}).first;
        sdlDecodeSound(path.c_str(), found->second);
    }
    return found->second.empty() ? nullptr : &found->second;
}

bool ztWriteWav(const char* path, const std::vector<int16_t>& stereo) {
    std::FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    const uint32_t data = static_cast<uint32_t>(stereo.size() * sizeof(int16_t));
    auto u32 = [&](uint32_t v) {
        const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                              static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
        std::fwrite(b, 1, 4, file);
    };
    auto u16 = [&](uint16_t v) {
        const uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
        std::fwrite(b, 1, 2, file);
    };
    std::fwrite("RIFF", 1, 4, file);
    u32(36 + data);
    std::fwrite("WAVEfmt ", 1, 8, file);
    u32(16);
    u16(1); // PCM
    u16(2);
    u32(kMixRate);
    u32(kMixRate * 4);
    u16(4);
    u16(16);
    std::fwrite("data", 1, 4, file);
    u32(data);
    // The samples are little-endian already on every machine we build for.
    const bool ok =
        std::fwrite(stereo.data(), sizeof(int16_t), stereo.size(), file) == stereo.size();
    return std::fclose(file) == 0 && ok;
}
