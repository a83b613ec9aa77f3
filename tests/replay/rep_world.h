#pragma once
// A headless world for the replay scenes and plays: the engine modules, a game work in a private
// folder with an empty rep/, the program's frame step, and a read-back of the printed text.
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "ascii.h"
#include "creator.h"
#include "input.h"
#include "platform/headless/headless.h"
#include "sprite.h"
#include "work.h"

// A fresh temporary folder made current for its lifetime, holding rep/ and dat/ (a link to the
// game root's baked data when `stockData`).
class RepDir {
public:
    explicit RepDir(bool stockData = false);
    ~RepDir();
    std::string path;

private:
    std::string previous;
};

// Holds exactly the buttons of `word` on the headless keyboard (Tab included).
void holdButtons(HeadlessPlatform& platform, uint32_t word);

// Replaces the save name's clock for its lifetime; `now` is the time it reports.
class FakeClock {
public:
    FakeClock(int year, int month, int day, int hour, int minute, int second);
    ~FakeClock();
    // Moves the reported time on; whole seconds only, the name has no finer part.
    void advance(int seconds);
    static std::tm now;
};

struct PrintedChar {
    int column;
    char c;
    uint32_t colour;
};

class RepWorld {
public:
    explicit RepWorld(int firstScene);
    ~RepWorld();

    void hold(uint32_t word) { holdButtons(platform, word); }
    // One drawn frame through the program's frame step.
    void frame();
    void frames(int count) {
        for (int i = 0; i < count; ++i) frame();
    }
    // Holds `word` for one frame, then nothing for one frame.
    void push(uint32_t word) {
        hold(word);
        frame();
        hold(0);
        frame();
    }
    template <class T> T* scene() const { return dynamic_cast<T*>(keSceneNow()); }

    // The characters printed on one row in the last frame, left to right.
    std::vector<PrintedChar> printed(int row) const;
    // The same as text; columns with nothing printed are spaces.
    std::string textRow(int row) const;
    std::vector<int> takeSounds();

    RepDir dir;
    HeadlessPlatform platform;
    KilnSprite sprite;
    KilnAscii ascii;
    KilnInput input;
    ZTCreator creator;
    ZTWork* work = nullptr;

private:
    static KilnEngine* keSceneNow();
};

// Writes a replay file straight into rep/ (no clock, no scene).
void writeRepFile(const std::string& name, uint32_t score, uint32_t field, uint32_t tail,
                  const std::vector<uint32_t>& words);
std::vector<uint8_t> readBytes(const std::string& path);
void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes);
