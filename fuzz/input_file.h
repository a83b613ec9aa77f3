#pragma once
// Loaders that take a path read the fuzzer's input from a file: one scratch folder for the whole
// run, made current on first use (with an empty rep/ for the replay files) and removed when the
// run ends.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

#include "scratch.h"

namespace fuzz {
inline const ZTScratch& scratch() {
    static const ZTScratch s({"rep"});
    if (!s.ok) __builtin_trap();
    return s;
}

// Writes the bytes to `name` inside the scratch folder; returns the full path.
inline std::string writeInput(const char* name, const uint8_t* data, size_t size) {
    const std::string path = (scratch().path / name).string();
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) __builtin_trap();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) __builtin_trap();
    std::fclose(f);
    return path;
}
} // namespace fuzz
