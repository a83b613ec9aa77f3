#pragma once
// A progress line on stderr for long runs: frames done of the total, frames per second and the
// time left. Shown only when stderr is a terminal, so logs and pipes stay clean.
#include <chrono>
#include <cstdint>

class ZTProgress {
public:
    ZTProgress(const char* label, uint32_t total);
    ~ZTProgress();
    void update(uint32_t done);
    // Ends the progress line, so what follows starts on a line of its own.
    void finish();
    // Takes the progress line away, so a line of output can stand in its place.
    void clear();
    // Seconds since the start.
    double seconds() const;

private:
    void print(uint32_t done);

    const char* label;
    uint32_t total;
    bool shown;
    bool printed = false;
    std::chrono::steady_clock::time_point start, last;
};
