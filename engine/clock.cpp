#include "clock.h"

#include "platform/platform.h"

KUClocker* gFrameClock = nullptr;

KUClocker::KUClocker() = default;
KUClocker::~KUClocker() = default;

void KUClocker::kuWait() {
    PlatformTimer* timer = gPlatform.timer;
    if (!timer) return;
    uint32_t now, elapsed;
    for (;;) {
        now = timer->ticks();
        elapsed = (now - lastFrame) * 3 + carry;
        if (elapsed >= 50) break;
        timer->sleep(1);
    }
    lastFrame = now;
    carry = elapsed % 50;
}

void KUClocker::kuCount() {
    frames += 1;
    const uint32_t now = gPlatform.timer ? gPlatform.timer->ticks() : 0;
    if (now - secondStart >= 1000) {
        secondStart = now;
        fps = frames;
        frames = 0;
    }
}

void KUClocker::kuResume() {
    const uint32_t now = gPlatform.timer ? gPlatform.timer->ticks() : 0;
    lastFrame = now;
    carry = 0;
    secondStart = now;
    frames = 0;
}
