// Measures the real program frame in a real window: time to the first presented frame, the
// frame period over 600 frames, and the processor time of the frame clock's wait loop.
// Run it in the game root under a display (for example Xvfb); it prints its figures.
#include <sys/resource.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "clock.h"
#include "main_form.h"
#include "platform/sdl/sdl_platform.h"
#include "random.h"

namespace {
using Clock = std::chrono::steady_clock;

double cpuSeconds() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return static_cast<double>(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           static_cast<double>(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

double msBetween(Clock::time_point a, Clock::time_point b) {
    return std::chrono::duration<double, std::milli>(b - a).count();
}

void printPeriods(const char* what, const std::vector<Clock::time_point>& stamps) {
    double sum = 0, sumSq = 0, lo = 1e9, hi = 0;
    const size_t n = stamps.size() - 1;
    for (size_t i = 0; i < n; ++i) {
        const double p = msBetween(stamps[i], stamps[i + 1]);
        sum += p, sumSq += p * p;
        lo = p < lo ? p : lo;
        hi = p > hi ? p : hi;
    }
    const double mean = sum / static_cast<double>(n);
    const double spread = std::sqrt(sumSq / static_cast<double>(n) - mean * mean);
    std::printf("%s: %zu periods, mean %.3f ms, standard deviation %.3f ms, min %.3f, max %.3f\n",
                what, n, mean, spread, lo, hi);
}
const char* usage =
    "usage: zt_pacing_probe [--help]\n"
    "\n"
    "Opens the game's window in the current folder, which must be a game root (pixel/, snd/,\n"
    "dat/), runs 600 frames of the power-on scene and then 600 periods of the frame clock's\n"
    "wait loop alone, and prints: the time to the first presented frame, the frame period\n"
    "(mean, spread, least, most) of both, and the share of a core each takes. Needs a display\n"
    "(Xvfb will do); bench/perf.sh runs it so.\n"
    "\n"
    "Exit status: 0 measured, 1 the program stopped at its first frame, 2 no window, 3 bad\n"
    "arguments.\n";
} // namespace

int main(int argc, char** argv) {
    if (argc > 1) {
        const bool help = argc == 2 && std::strcmp(argv[1], "--help") == 0;
        std::fputs(usage, help ? stdout : stderr);
        return help ? 0 : 3;
    }
    const Clock::time_point start = Clock::now();
    SdlPlatform platform;
    if (!platform.ok()) return 2;
    kuSeed(1);
    auto* form = new TForm1();
    if (!form->AppIdle()) {
        delete form;
        return 1;
    }
    std::printf("first presented frame: %.1f ms after start\n", msBetween(start, Clock::now()));

    // The program's own frames (the power-on scene).
    std::vector<Clock::time_point> stamps{Clock::now()};
    const double cpu0 = cpuSeconds();
    for (int i = 0; i < 600 && form->AppIdle(); ++i) stamps.push_back(Clock::now());
    const double cpu1 = cpuSeconds();
    printPeriods("program frames", stamps);
    const double wall = msBetween(stamps.front(), stamps.back()) / 1000.0;
    std::printf("whole process: %.2f %% of one core while running frames\n",
                100.0 * (cpu1 - cpu0) / wall);

    // The wait loop alone, 600 periods: what waiting costs.
    KUClocker clock;
    clock.kuWait();
    std::vector<Clock::time_point> waits{Clock::now()};
    const double cpu2 = cpuSeconds();
    for (int i = 0; i < 600; ++i) {
        clock.kuWait();
        waits.push_back(Clock::now());
    }
    const double cpu3 = cpuSeconds();
    printPeriods("wait loop alone", waits);
    const double waitWall = msBetween(waits.front(), waits.back()) / 1000.0;
    std::printf("wait loop: %.2f %% of one core (%.1f ms of processor time a second)\n",
                100.0 * (cpu3 - cpu2) / waitWall, 1000.0 * (cpu3 - cpu2) / waitWall);
    delete form;
    return 0;
}
