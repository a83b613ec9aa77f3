#pragma once
// The replay viewer: every replay watched from the replay selection plays through it. It runs
// the play slower or faster, pauses and steps, jumps 10 s either way or back to the current
// field's start, and draws a thin progress bar with a mark at each field's start, and the keys.
//
// A jump plays the replay again from its start, silently and without drawing, up to the frame
// asked for: the play is a pure function of its button words, so the state reached is the one
// of watching straight through. Speed, pause and steps only choose how many frames each turn of
// the display runs; the frames themselves are the ones of a plain replay.
#include <cstdint>
#include <vector>

#include "frame.h"
#include "platform/platform.h"

class ZTReplayViewer {
public:
    // Speeds in quarters of the normal speed: 1/4, 1/2, 1, 2, 4 and 8 times.
    static constexpr int kSpeeds[] = {1, 2, 4, 8, 16, 32};
    static constexpr int kSpeedCount = 6;
    static constexpr int kNormalSpeed = 2;
    static constexpr uint32_t kSkipFrames = 600; // 10 s

    // The selection has loaded the words and started the play (the game start is done and the
    // opening conversation requested). The first turn looks through the whole play once, for
    // its length and its fields' starts.
    void begin();
    // True while a replay is watched through the viewer.
    bool watching() const { return on; }

    // One turn of the display: reads the viewer's keys, runs as many frames as the speed asks
    // (none while paused, one for a step), the last of them drawn when `drawn`, or draws the
    // held picture again when the viewer's own lines changed.
    ZTFrameResult tick(bool drawn, bool escapeToMenu = false);

    // The state after `frame` frames of the play (from 1 to the length), reached silently.
    void jumpTo(uint32_t frame);
    void slower();
    void faster();
    void togglePause() { paused = !paused, dirty = true; }
    void step();
    void skip(bool forward);
    void toFieldStart();

    uint32_t frame() const { return played; }
    uint32_t length() const { return frames; }
    const std::vector<uint32_t>& fieldStarts() const { return starts; }
    int speed() const { return speedIndex; }
    bool isPaused() const { return paused; }

    // Draws the bar, the speed and the keys over the picture (the frame step calls it).
    void drawOverlay();

private:
    void scan();
    void restart();
    // Plays `count` frames without drawing or sound; stops early if the play ends.
    void runSilently(uint32_t count);
    ZTFrameResult runFrame(bool drawn, bool escapeToMenu);
    ZTFrameResult idleTurn(bool drawn);
    void handleKeys();
    void stop();

    bool on = false;
    bool scanned = false;
    bool paused = false;
    bool dirty = false;    // the viewer's lines changed: draw the held picture again
    bool stepOnce = false; // one frame forward on the next turn
    int speedIndex = kNormalSpeed;
    uint32_t turn = 0;            // turns of the display, for the slow speeds
    uint32_t played = 0;          // frames played since the game start
    uint32_t frames = 0;          // frames until the play ends
    uint32_t keysHeld = 0;        // the viewer's keys of the last turn, for their edges
    uint32_t startPlayNow = 0;    // the playback word the first frame finds as the one before
    std::vector<uint32_t> starts; // the first frame of each field
    std::vector<KVertex> overlay; // the strips and the bar, kept so that drawing allocates nothing
};

extern ZTReplayViewer* gViewer; // the program's viewer; null in tests that do not set one
