#pragma once
// The frame step shared by the program and the headless tools.

struct ZTFrameResult {
    bool sceneMissing = false; // the requested scene number has no scene
    bool quit = false;         // Escape was held: the scene has been destroyed
    bool menu = false;         // Escape was held in a play that may still enter the table
    bool skipWait = false;     // replay fast-forward: do not wait for the frame clock
};

// Creates the requested scene if none is live, polls the input, runs move, hit and post-hit,
// draws when `drawn`, then ends the scene if another was requested or Escape is held. With
// `escapeToMenu`, Escape in a play that could still enter the hi-score table ends nothing and
// asks for the pause menu instead.
ZTFrameResult ztFrameStep(bool drawn, bool escapeToMenu = false);

// A play (not a replay) is going on: the game, a conversation, or a pause between fields.
bool ztPlayRunning();
// A replay is being watched.
bool ztReplayWatched();
// A recorded play that has not ended yet: it may still enter the hi-score table.
bool ztPlayMayEnterTable();
// Leaves whatever runs for the title at once, without a frame: a play is abandoned (nothing is
// recorded or saved), a replay stops.
void ztLeaveForTitle();
