#pragma once
// The frame clock: 60 frames a second, the 50/3 ms period carried in thirds of a millisecond.
#include <cstdint>

class KUClocker {
public:
    KUClocker();
    ~KUClocker();

    // Waits for the next frame slot, sleeping 1 ms at a time.
    void kuWait();
    // Counts a frame; fps holds the frames of the last whole second.
    void kuCount();
    // Starts the slots afresh after a pause: the paused time is neither made up nor counted.
    void kuResume();

    uint32_t secondStart = 0;
    uint32_t frames = 0;
    uint32_t fps = 0;
    uint32_t lastFrame = 0;
    uint32_t carry = 0;
};

// The clock that paces the frames (the program's); null where nothing keeps time.
extern KUClocker* gFrameClock;
