#include "decode.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <sstream>
#include <vorbis/vorbisfile.h>

namespace {
struct Memory {
    const std::vector<uint8_t>* bytes;
    size_t at = 0;
};

size_t readMemory(void* ptr, size_t size, size_t count, void* source) {
    Memory& m = *static_cast<Memory*>(source);
    const size_t want = size * count;
    const size_t left = m.bytes->size() - m.at;
    const size_t n = want < left ? want : left;
    std::memcpy(ptr, m.bytes->data() + m.at, n);
    m.at += n;
    return size ? n / size : 0;
}

uint32_t le(const std::vector<uint8_t>& b, size_t at, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = v << 8 | b[at + size_t(i)];
    return v;
}
} // namespace

bool decodeVorbis(const std::vector<uint8_t>& bytes, Decoded& out) {
    Memory memory{&bytes};
    ov_callbacks callbacks{readMemory, nullptr, nullptr, nullptr};
    OggVorbis_File file;
    if (ov_open_callbacks(&memory, &file, nullptr, 0, callbacks) != 0) return false;
    const vorbis_info* info = ov_info(&file, -1);
    out.channels = info->channels;
    out.rate = info->rate;
    out.samples.clear();
    int section = 0;
    for (;;) {
        float** pcm = nullptr;
        const long n = ov_read_float(&file, &pcm, 4096, &section);
        if (n < 0) {
            ov_clear(&file);
            return false;
        }
        if (n == 0) break;
        for (long i = 0; i < n; ++i)
            for (int c = 0; c < out.channels; ++c) out.samples.push_back(pcm[c][i]);
    }
    ov_clear(&file);
    return true;
}

bool decodeWav(const std::vector<uint8_t>& b, Decoded& out) {
    if (b.size() < 44 || std::memcmp(b.data(), "RIFF", 4) != 0 ||
        std::memcmp(b.data() + 8, "WAVE", 4) != 0 || std::memcmp(b.data() + 12, "fmt ", 4) != 0 ||
        std::memcmp(b.data() + 36, "data", 4) != 0)
        return false;
    if (le(b, 4, 4) != b.size() - 8 || le(b, 16, 4) != 16 || le(b, 20, 2) != 1) return false;
    const uint32_t channels = le(b, 22, 2), rate = le(b, 24, 4), bits = le(b, 34, 2);
    if (bits != 16 || le(b, 28, 4) != rate * channels * 2 || le(b, 32, 2) != channels * 2)
        return false;
    const uint32_t data = le(b, 40, 4);
    if (data != b.size() - 44 || data % (channels * 2) != 0) return false;
    out.channels = int(channels);
    out.rate = long(rate);
    out.samples.clear();
    for (size_t i = 44; i + 1 < b.size(); i += 2)
        out.samples.push_back(float(int16_t(le(b, i, 2))) / 32768.0f);
    return true;
}

std::string readSource(const std::string& name) {
    std::ifstream in(std::string(ZT_SND_DATA) + "/" + name, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

double peakDb(const std::vector<float>& samples) {
    float peak = 0.0f;
    for (float s : samples) peak = std::max(peak, std::fabs(s));
    return 20.0 * std::log10(std::max(peak, 1e-9f));
}

double rmsDb(const std::vector<float>& samples) {
    double sum = 0.0;
    for (float s : samples) sum += double(s) * s;
    return 10.0 * std::log10(std::max(sum / double(samples.size()), 1e-18));
}
