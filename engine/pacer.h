#pragma once
// The frame clock for a present that waits for the display (vsync). The logic keeps exactly 60
// frames a second on a display of any refresh rate: a frame that starts a whole period behind
// the clock goes undrawn to catch up, never two in a row, and otherwise every frame is drawn, so
// the display shows every frame it can. A present that waits only holds the next frame back; it
// never costs the logic a frame.
#include <cstdint>

class KUPacer {
public:
    // Counts the frames afresh from the next one: at start, after a pause or a fast-forward.
    void kuRestart() { started = false; }
    // At the start of a frame: whether to draw it. `wanted` is the draw interval's choice.
    bool kuDraw(bool wanted);
    // After the frame: waits until the next one is due. When the display refreshes within a
    // hair of 60 Hz it paces the frames itself: the wait then holds back only a frame that would
    // run a whole period ahead of the clock, and the catch-up above corrects the drift the other
    // way, so the two never fight over each frame's start.
    void kuWait(bool displayPaces);

    uint32_t caughtUp = 0; // frames left undrawn to catch up with the clock
    uint32_t stalls = 0;   // times the count began afresh because the frames fell far behind

private:
    int32_t due(uint32_t now) const;

    bool started = false;
    uint32_t base = 0;   // the time (ms) at which frame 0 of the count was due
    int32_t counted = 0; // frames started since then (kept below 3 by moving base on)
    bool lastDrawn = true;
};

// Whether a display of this refresh rate (Hz) paces the frames itself: within half a per cent of
// 60 Hz.
bool kuDisplayPaces(double hz);
