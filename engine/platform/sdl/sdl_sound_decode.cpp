#include "sdl_sound_decode.h"

#include <SDL.h>
#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <cstring>

namespace {
// A track longer than this is not one of ours; it also bounds what a damaged file can allocate.
constexpr size_t kMaxBytes = size_t{15} * 60 * kSdlMixRate * 2 * sizeof(int16_t);

// Converts any PCM the SDL audio converter knows to 16-bit stereo at the mix rate.
bool convert(const SDL_AudioSpec& from, const uint8_t* data, size_t bytes,
             std::vector<int16_t>& stereo) {
    stereo.clear();
    if (bytes > kMaxBytes || bytes > 0x7fffffff) return false;
    SDL_AudioStream* stream =
        SDL_NewAudioStream(from.format, from.channels, from.freq, AUDIO_S16SYS, 2, kSdlMixRate);
    if (!stream) return false;
    bool ok = SDL_AudioStreamPut(stream, data, static_cast<int>(bytes)) == 0 &&
              SDL_AudioStreamFlush(stream) == 0;
    const int available = ok ? SDL_AudioStreamAvailable(stream) : 0;
    if (ok && available > 0 && static_cast<size_t>(available) <= kMaxBytes) {
        stereo.resize(static_cast<size_t>(available) / sizeof(int16_t));
        const int got = SDL_AudioStreamGet(stream, stereo.data(), available);
        ok = got >= 0;
        stereo.resize(ok ? static_cast<size_t>(got) / sizeof(int16_t) / 2 * 2 : 0);
    }
    SDL_FreeAudioStream(stream);
    return ok && !stereo.empty();
}

bool decodeWav(const char* path, std::vector<int16_t>& stereo) {
    SDL_AudioSpec spec;
    Uint8* buffer = nullptr;
    Uint32 length = 0;
    if (!SDL_LoadWAV(path, &spec, &buffer, &length)) return false;
    const bool ok = convert(spec, buffer, length, stereo);
    SDL_FreeWAV(buffer);
    return ok;
}

bool decodeOgg(const char* path, std::vector<int16_t>& stereo) {
    OggVorbis_File file;
    if (ov_fopen(path, &file) != 0) return false;
    const vorbis_info* info = ov_info(&file, -1);
    bool ok = info && info->channels >= 1 && info->channels <= 2 && info->rate > 0;
    std::vector<uint8_t> pcm;
    if (ok) {
        char chunk[4096];
        int section = 0;
        for (;;) {
            const long got = ov_read(&file, chunk, sizeof chunk, 0, 2, 1, &section);
            if (got == 0) break;
            // A hole in the stream is skipped, as players do; other errors end the track.
            if (got == OV_HOLE) continue;
            if (got < 0 || pcm.size() + static_cast<size_t>(got) > kMaxBytes) {
                ok = false;
                break;
            }
            pcm.insert(pcm.end(), chunk, chunk + got);
        }
    }
    SDL_AudioSpec spec{};
    if (ok) {
        spec.format = AUDIO_S16LSB;
        spec.channels = static_cast<Uint8>(info->channels);
        spec.freq = static_cast<int>(info->rate);
    }
    ov_clear(&file);
    return ok && convert(spec, pcm.data(), pcm.size(), stereo);
}
} // namespace

bool sdlDecodeSound(const char* path, std::vector<int16_t>& stereo) {
    stereo.clear();
    if (!path) return false;
    char magic[4] = {};
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    const bool read = std::fread(magic, 1, 4, file) == 4;
    std::fclose(file);
    if (!read) return false;
    if (std::memcmp(magic, "RIFF", 4) == 0) return decodeWav(path, stereo);
    if (std::memcmp(magic, "OggS", 4) == 0) return decodeOgg(path, stereo);
    return false;
}
