#pragma once
// A headless world for the replay scenes and plays: the shared scene world
// drawing every frame, a stand-in for the save name's clock, and replay files
// written straight into rep/.
#include <cstdint>
#include <ctime>
#include <string>
#include <vector>

#include "files.h"
#include "scene_world.h"
#include "scratch_dir.h"

// A private game root whose dat/ is a link to the game root's baked data when
// `stockData`.
class RepDir : public ScratchDir {
public:
    explicit RepDir(bool stockData = false);
};

// Replaces the save name's clock for its lifetime; `now` is the time it
// reports.
class FakeClock {
public:
    FakeClock(int year, int month, int day, int hour, int minute, int second);
    ~FakeClock();
    // Moves the reported time on; whole seconds only, the name has no finer part.
    void advance(int seconds);
    static std::tm now;
};

class RepWorld : public SceneWorld {
public:
    explicit RepWorld(int firstScene) : SceneWorld(firstScene) { drawEveryFrame = true; }

    // The characters printed on one row in the last frame, left to right.
    std::vector<PrintedChar> printed(int row) const { return readPrinted(drawn(), row); }
};

// Writes a replay file straight into rep/ (no clock, no scene).
void writeRepFile(const std::string& name, uint32_t score, uint32_t field, uint32_t tail,
                  const std::vector<uint32_t>& words);
