#pragma once
// The frame step shared by the program and the headless tools.

struct ZTFrameResult {
    bool sceneMissing = false; // the requested scene number has no scene
    bool quit = false;         // Escape was held: the scene has been destroyed
    bool skipWait = false;     // replay fast-forward: do not wait for the frame clock
};

// Creates the requested scene if none is live, polls the input, runs move, hit and post-hit,
// draws when `drawn` (with `overlay` drawn over the scene's picture, if given), then ends the
// scene if another was requested or Escape is held.
ZTFrameResult ztFrameStep(bool drawn, void (*overlay)() = nullptr);
