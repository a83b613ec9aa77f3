#pragma once
// A headless world for the scenes around play: the engine modules they reach, a game work in a
// private folder holding the converted conversations, and the program's own frame step.
#include <cstdint>
#include <string>
#include <vector>

#include "ascii.h"
#include "creator.h"
#include "input.h"
#include "platform/headless/headless.h"
#include "sprite.h"
#include "work.h"

// UTF-8 to the window's encoding, as the text bake does it.
std::string toShiftJis(const std::string& utf8);
// The source lines of conversation n (comments and blank lines skipped), still UTF-8.
std::vector<std::string> sourceLines(int n);

// A fresh temporary folder made current for the fixture's lifetime, with dat/ and rep/.
class MetaDir {
public:
    MetaDir();
    ~MetaDir();
    std::string path;

private:
    std::string previous;
};

class MetaWorld {
public:
    // The conversations go into dat/ converted; the runner will build `firstScene`.
    explicit MetaWorld(int firstScene);
    ~MetaWorld();

    // Holds exactly the buttons of `word` on the keyboard.
    void hold(uint32_t word);
    void frame(bool drawn = false);
    void frames(int count, bool drawn = false) {
        for (int i = 0; i < count; ++i) frame(drawn);
    }
    // Holds `word` for one frame, then releases everything for one frame.
    void push(uint32_t word) {
        hold(word);
        frame();
        hold(0);
        frame();
    }
    template <class F> int runUntil(F done, int limit) {
        for (int i = 1; i <= limit; ++i) {
            frame();
            if (done()) return i;
        }
        return -1;
    }
    template <class T> T* scene() const { return dynamic_cast<T*>(keSceneNow()); }

    // Text printed on one character row in the last drawn frame, left to right; gaps are spaces.
    std::string textRow(int row) const;
    // Cells of every sprite in the last drawn frame, read back from the drawn quads.
    std::vector<int> drawnCells() const;
    std::vector<int> takeSounds();

    MetaDir dir;
    HeadlessPlatform platform;
    KilnSprite sprite;
    KilnAscii ascii;
    KilnInput input;
    ZTCreator creator;
    ZTWork* work = nullptr;

private:
    static KilnEngine* keSceneNow();
};

// Just the behaviour lists and the modules windows need: for testing objects without a scene.
class ObjectBench {
public:
    ObjectBench();
    ~ObjectBench();
    void hold(uint32_t word);
    // Input poll, every layer's move and, if asked, the window layer's draw.
    void frame(bool drawn = true);
    void frames(int count, bool drawn = true) {
        for (int i = 0; i < count; ++i) frame(drawn);
    }
    void push(uint32_t word) {
        hold(word);
        frame();
        hold(0);
        frame();
    }
    // How often `cell` was queued by the last drawn frame.
    int queued(int cell) const;

    HeadlessPlatform platform;
    KilnSprite sprite;
    KilnInput input;
    std::vector<int> lastCells;
};
