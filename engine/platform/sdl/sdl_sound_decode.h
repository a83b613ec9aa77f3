#pragma once
// Decodes a sound file the way the mixer hears it: WAV effects and Ogg Vorbis tracks, converted
// to 16-bit stereo at 44.1 kHz, the format the audio device is opened with.
#include <cstdint>
#include <vector>

constexpr int kSdlMixRate = 44100;

// Interleaved left/right samples. False when the file is missing, damaged or too long to be one
// of ours (over 15 minutes); `stereo` is then empty.
bool sdlDecodeSound(const char* path, std::vector<int16_t>& stereo);
