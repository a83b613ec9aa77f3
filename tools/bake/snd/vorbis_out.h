#pragma once
// Ogg Vorbis encoding of the tracks. The stream serial number is fixed and the encoder has no
// other source of variation, so the same samples always give the same file.
#include <cstdint>
#include <vector>

namespace snd {

constexpr int kOggSerial = 0x5A54; // any constant: it only has to be the same every bake
constexpr float kVorbisQuality = 0.4f;

// Encodes interleaved stereo samples; empty on an encoder failure.
std::vector<uint8_t> encodeVorbis(const std::vector<float>& interleaved, int rate);

} // namespace snd
