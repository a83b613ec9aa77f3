#pragma once
// One scratch folder for a whole fuzz run, made on first use and removed when the run ends, and a
// helper that writes an input there as a file for loaders that take a path.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>

namespace fuzz {
struct Scratch {
    Scratch() {
        char pattern[] = "/tmp/zt_fuzz_XXXXXX";
        if (!mkdtemp(pattern)) __builtin_trap();
        dir = pattern;
    }
    ~Scratch() {
        std::error_code ec;
        std::filesystem::remove_all(dir, ec);
    }
    std::string dir;
};

inline const std::string& scratch() {
    static Scratch s;
    return s.dir;
}

// Writes the bytes to name inside the scratch folder; returns the full path.
inline std::string writeScratch(const char* name, const uint8_t* data, size_t size) {
    const std::string path = scratch() + "/" + name;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) __builtin_trap();
    if (size > 0 && std::fwrite(data, 1, size, f) != size) __builtin_trap();
    std::fclose(f);
    return path;
}
} // namespace fuzz
