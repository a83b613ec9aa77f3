#include "pacer.h"

#include "platform/platform.h"

namespace {
constexpr int32_t kPeriodThirds = 50; // 50/3 ms: 60 frames a second
// Further behind than this, the time is given up, as the frame clock gives up late periods.
constexpr int32_t kStallFrames = 3;

int32_t floorDiv(int32_t a, int32_t b) {
    return a / b - (a % b != 0 && (a < 0) != (b < 0));
}
} // namespace

// The frames that should have started by `now`, frame 0 of the count included.
int32_t KUPacer::due(uint32_t now) const {
    return floorDiv(static_cast<int32_t>(now - base) * 3, kPeriodThirds) + 1;
}

bool KUPacer::kuDraw(bool wanted) {
    const uint32_t now = gPlatform.timer ? gPlatform.timer->ticks() : 0;
    if (!started) {
        started = true;
        base = now, counted = 0, lastDrawn = true;
    }
    int32_t behind = due(now) - counted - 1; // whole periods behind this frame's slot
    if (behind >= kStallFrames) {
        stalls += 1;
        base = now, counted = 0, behind = 0;
    }
    bool drawn = wanted;
    if (drawn && behind >= 1 && lastDrawn) {
        drawn = false;
        caughtUp += 1;
    }
    lastDrawn = drawn;
    // Three frames take exactly 50 ms: moving on by them keeps the count small and exact.
    if (++counted >= 3) base += 50, counted -= 3;
    return drawn;
}

void KUPacer::kuWait(bool displayPaces) {
    PlatformTimer* timer = gPlatform.timer;
    if (!timer || !started) return;
    const int32_t lead = displayPaces ? 1 : 0;
    while (counted >= due(timer->ticks()) + lead) timer->sleep(1);
}

bool kuDisplayPaces(double hz) {
    return hz >= 60.0 * 0.995 && hz <= 60.0 * 1.005;
}
