#pragma once
// 16-bit PCM WAV files, the format the effect slots load.
#include <cstdint>
#include <string>
#include <vector>

namespace snd {

// Converts -1..1 samples to 16-bit with rounding and clamping.
std::vector<int16_t> toPcm16(const std::vector<float>& samples);

// The bytes of a canonical 44-byte-header WAV file: PCM, 16 bits, the given channels and rate.
std::vector<uint8_t> wavBytes(const std::vector<int16_t>& samples, int channels, int rate);

} // namespace snd
