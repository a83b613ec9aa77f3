#pragma once
// Little-endian reading and writing of the game's small binary files. The reader never reads past
// the end of its buffer: a read that does not fit fails and leaves the value alone.
#include <cstddef>
#include <cstdint>
#include <vector>

class ZTByteReader {
public:
    ZTByteReader(const uint8_t* data_, size_t size_) : data(data_), size(size_) {}

    size_t remaining() const { return size - pos; }
    bool u8(uint8_t& v) {
        if (remaining() < 1) return false;
        v = data[pos++];
        return true;
    }
    bool u16(uint16_t& v) {
        if (remaining() < 2) return false;
        v = static_cast<uint16_t>(data[pos] | data[pos + 1] << 8);
        pos += 2;
        return true;
    }
    bool u32(uint32_t& v) {
        if (remaining() < 4) return false;
        v = static_cast<uint32_t>(data[pos]) | static_cast<uint32_t>(data[pos + 1]) << 8 |
            static_cast<uint32_t>(data[pos + 2]) << 16 | static_cast<uint32_t>(data[pos + 3]) << 24;
        pos += 4;
        return true;
    }
    bool i32(int32_t& v) {
        uint32_t u = 0;
        if (!u32(u)) return false;
        v = static_cast<int32_t>(u);
        return true;
    }
    // Copies n bytes; false (and nothing copied) when fewer remain.
    bool block(uint8_t* out, size_t n) {
        if (remaining() < n) return false;
        for (size_t i = 0; i < n; ++i) out[i] = data[pos + i];
        pos += n;
        return true;
    }

private:
    const uint8_t* data;
    size_t size;
    size_t pos = 0;
};

struct ZTByteWriter {
    std::vector<uint8_t> bytes;
    void u8(uint8_t v) { bytes.push_back(v); }
    void u16(uint16_t v) {
        bytes.push_back(static_cast<uint8_t>(v));
        bytes.push_back(static_cast<uint8_t>(v >> 8));
    }
    void u32(uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    void i32(int32_t v) { u32(static_cast<uint32_t>(v)); }
};

// Reads at most `limit` bytes of a file. False when it cannot be opened or a read fails (then
// `out` is empty and `error`, when given, holds the error number).
bool ztReadWholeFile(const char* path, size_t limit, std::vector<uint8_t>& out,
                     int* error = nullptr);
