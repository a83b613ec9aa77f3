#pragma once
// A 64-bit state hash (FNV-1a over the bytes of each value). Objects feed their state into it so
// that two runs can be compared frame by frame.
#include <cstdint>
#include <cstring>

#include "kmath.h"

class KUHash {
public:
    void bytes(const void* data, size_t size) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (size_t i = 0; i < size; ++i) {
            value ^= p[i];
            value *= 0x100000001b3ull;
        }
    }
    void add(int32_t v) { bytes(&v, sizeof v); }
    void add(uint32_t v) { bytes(&v, sizeof v); }
    void add(float v) { bytes(&v, sizeof v); }
    void add(bool v) { add(static_cast<int32_t>(v)); }
    void add(const KVector& v) { add(v.x), add(v.y), add(v.z); }

    uint64_t value = 0xcbf29ce484222325ull;
};
