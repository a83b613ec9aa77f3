#pragma once
// A headless play: the engine modules the game reaches, a game work in a private folder holding
// the stock-shaped maps and whatever sets a test writes, and the program's own frame step.
#include <cstdint>
#include <string>
#include <vector>

#include "ascii.h"
#include "creator.h"
#include "input.h"
#include "platform/headless/headless.h"
#include "sprite.h"
#include "work.h"

// A fresh temporary folder made current for the fixture's lifetime.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    std::string path;

private:
    std::string previous;
};

class GamePlay {
public:
    // Each chip is {x, y, kind}; an empty list still writes the set file (a field with no enemy).
    struct Chip {
        int x, y, kind;
    };
    GamePlay();
    ~GamePlay();

    // Writes dat/sNN.zts for set number `set`.
    void writeSet(int set, const std::vector<Chip>& chips);
    // startGame, then the game scene is the next to be built.
    void start(int field, int tail, bool record = true, bool replay = false);
    // Holds exactly the buttons of `word` on the live keyboard.
    void hold(uint32_t word);
    // One program frame (drawn or not); returns the scene number live after it.
    void frame(bool drawn = false);
    void frames(int count, bool drawn = false) {
        for (int i = 0; i < count; ++i) frame(drawn);
    }
    // Runs frames until `done` holds or `limit` frames pass; the frames taken, or -1.
    template <class F> int runUntil(F done, int limit) {
        for (int i = 1; i <= limit; ++i) {
            frame();
            if (done()) return i;
        }
        return -1;
    }

    ScratchDir dir;
    HeadlessPlatform platform;
    KilnSprite sprite;
    KilnAscii ascii;
    KilnInput input;
    ZTCreator creator;
    ZTWork* work = nullptr;
    bool sceneMissing = false;
};
