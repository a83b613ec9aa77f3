#pragma once
// Reading back what the bake wrote, the way a player's machine will.
#include <cstdint>
#include <string>
#include <vector>

struct Decoded {
    int channels = 0;
    long rate = 0;
    std::vector<float> samples; // interleaved
    size_t frames() const { return channels ? samples.size() / size_t(channels) : 0; }
};

// Decodes an Ogg Vorbis file held in memory; false if libvorbisfile refuses it.
bool decodeVorbis(const std::vector<uint8_t>& bytes, Decoded& out);

// Parses a 16-bit PCM WAV file; false on any header that is not exactly that.
bool decodeWav(const std::vector<uint8_t>& bytes, Decoded& out);

std::string readSource(const std::string& name);

double peakDb(const std::vector<float>& samples);
double rmsDb(const std::vector<float>& samples);
