#include "progress.h"

#include <unistd.h>

#include <cstdio>

namespace {
using Clock = std::chrono::steady_clock;
}

ZTProgress::ZTProgress(const char* label, uint32_t total)
    : label(label), total(total), shown(isatty(STDERR_FILENO) == 1), start(Clock::now()),
      last(start) {}

ZTProgress::~ZTProgress() {
    finish();
}

void ZTProgress::finish() {
    if (printed) std::fputc('\n', stderr);
    printed = false;
}

void ZTProgress::clear() {
    if (printed) std::fputs("\r\033[K", stderr);
    printed = false;
}

double ZTProgress::seconds() const {
    return std::chrono::duration<double>(Clock::now() - start).count();
}

void ZTProgress::update(uint32_t done) {
    if (!shown) return;
    const Clock::time_point now = Clock::now();
    // Four times a second is enough to read, and keeps the terminal out of the measurement.
    if (done < total && now - last < std::chrono::milliseconds(250)) return;
    last = now;
    print(done);
}

void ZTProgress::print(uint32_t done) {
    const double elapsed = seconds();
    const double fps = elapsed > 0 ? done / elapsed : 0.0;
    const long left = fps > 0 ? static_cast<long>((total - done) / fps + 0.5) : 0;
    std::fprintf(stderr, "\r%s: frame %u of %u, %.0f frames/s, %ld:%02ld left   ", label, done,
                 total, fps, left / 60, left % 60);
    std::fflush(stderr);
    printed = true;
}
