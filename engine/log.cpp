#include "log.h"

#include <cinttypes>
#include <cstdio>

namespace {
std::FILE* logFile = nullptr;
bool logOpen = false; // the stream "exists" even when the file could not be created
} // namespace

void klOpen(const char* path) {
    if (logOpen) klClose();
    logFile = std::fopen(path, "wb");
    logOpen = true;
}

void klClose() {
    if (!logOpen) return;
    klWrite("\nEnd of Log.\n");
    if (logFile) std::fclose(logFile);
    logFile = nullptr;
    logOpen = false;
}

bool klIsOpen() {
    return logFile != nullptr;
}

void klWrite(const char* text) {
    if (!logFile) return;
    std::fputs(text, logFile);
    // Flushed per line so that the log survives a crash up to its last line.
    std::fflush(logFile);
}

void klWrite(const std::string& text) {
    klWrite(text.c_str());
}

void klValue(const char* label, long long value) {
    if (!logFile) return;
    std::fprintf(logFile, "%s%lld\n", label, value);
    std::fflush(logFile);
}

void klHex(const char* label, uint64_t value) {
    if (!logFile) return;
    std::fprintf(logFile, "%s%" PRIx64 "\n", label, value);
    std::fflush(logFile);
}

void klFloat(const char* label, double value) {
    if (!logFile) return;
    std::fprintf(logFile, "%s%g\n", label, value);
    std::fflush(logFile);
}
