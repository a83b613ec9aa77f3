#include "wav.h"

#include <cmath>

namespace snd {

std::vector<int16_t> toPcm16(const std::vector<float>& samples) {
    std::vector<int16_t> out(samples.size());
    for (size_t i = 0; i < samples.size(); ++i) {
        long v = std::lround(double(samples[i]) * 32767.0);
        if (v > 32767) v = 32767;
        if (v < -32768) v = -32768;
        out[i] = int16_t(v);
    }
    return out;
}

namespace {
void put16(std::vector<uint8_t>& b, uint32_t v) {
    b.push_back(uint8_t(v));
    b.push_back(uint8_t(v >> 8));
}
void put32(std::vector<uint8_t>& b, uint32_t v) {
    put16(b, v & 0xFFFF);
    put16(b, v >> 16);
}
void putTag(std::vector<uint8_t>& b, const char* tag) {
    for (int i = 0; i < 4; ++i) b.push_back(uint8_t(tag[i]));
}
} // namespace

std::vector<uint8_t> wavBytes(const std::vector<int16_t>& samples, int channels, int rate) {
    const uint32_t dataBytes = uint32_t(samples.size() * 2);
    std::vector<uint8_t> b;
    b.reserve(44 + dataBytes);
    putTag(b, "RIFF");
    put32(b, 36 + dataBytes);
    putTag(b, "WAVE");
    putTag(b, "fmt ");
    put32(b, 16);
    put16(b, 1); // PCM
    put16(b, uint32_t(channels));
    put32(b, uint32_t(rate));
    put32(b, uint32_t(rate * channels * 2));
    put16(b, uint32_t(channels * 2));
    put16(b, 16);
    putTag(b, "data");
    put32(b, dataBytes);
    for (int16_t s : samples) put16(b, uint16_t(s));
    return b;
}

} // namespace snd
