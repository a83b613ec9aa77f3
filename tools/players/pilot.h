#pragma once
// A simple automatic player: turns the conversation pages, steers the tank toward the nearest
// ground enemy while keeping off the border, and fires all the time. It makes the recorded plays
// the tests and the benchmark replay; it reads the field the last frame left and never draws a
// random number, so it leaves the play's own random sequence alone.
#include <cstdint>

struct ZTPilot {
    // On this field the tank blows itself up once, a while after play begins (0: never).
    int missOnField = 0;
    // From this field on the tank blows itself up as soon as it can, which ends the play.
    int giveUpField = 0;
    // From this frame of the play on, likewise (0: never).
    int giveUpFrame = 0;
    // Until this frame of the play the tank only keeps out of harm's way: no shot, no chase.
    // It makes long plays for the benchmark.
    int waitUntil = 0;

    // The button word to hold in the coming frame.
    uint32_t next();

    int frame = 0;
    int missedOn = 0; // the field on which the planned miss was made
    int driving = 0;  // frames the tank has been driving in this attempt
};
