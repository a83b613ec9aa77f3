#include "sdl_trace.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
std::FILE* traceFile() {
    static std::FILE* file = [] {
        const char* path = std::getenv("ZT_TRACE");
        return path && *path ? std::fopen(path, "w") : nullptr;
    }();
    return file;
}
} // namespace

void sdlTrace(const char* what, int count) {
    std::FILE* file = traceFile();
    if (!file) return;
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(
                        std::chrono::system_clock::now().time_since_epoch())
                        .count();
    if (count < 0)
        std::fprintf(file, "%s %lld\n", what, static_cast<long long>(ns));
    else
        std::fprintf(file, "%s %lld %d\n", what, static_cast<long long>(ns), count);
    std::fflush(file);
}
