#pragma once
// Play-tests a field headlessly: an automatic player drives the tank on one field, started as
// the developer menu starts it, from the banner to the clear or the last life, over the stock
// maps and sets baked into a scratch game root.
#include <cstdint>
#include <functional>
#include <string>

#include "scratch.h"

// A scratch game root, current for its lifetime, whose dat/ holds every map and set of the
// source folder baked afresh, so that nothing an editor saved in a game root takes part.
class StockDatDir {
public:
    explicit StockDatDir(const std::string& sourceDir);

    bool ok = false;
    std::string error; // the first source that did not bake, when not ok

private:
    ZTScratch scratch{"dat", "rep"};
};

struct FieldTrial {
    int enemies = 0;        // ground enemies standing when the field starts
    int firstKills = 0;     // of those, destroyed before the first miss (or the clear)
    int firstFrames = 0;    // frames the first tank lasted in play (or until the clear)
    int kills = 0;          // ground enemies destroyed over all the attempts
    int misses = 0;         // tanks lost
    bool cleared = false;   // the field was cleared with the lives given
    int frames = 0;         // frames run in all
    int tailAtEnd = 0;      // the game work's tail when the field was left
    int spitsDestroyed = 0; // spit enemies shot down
    int bursts = 0;         // counter bursts the tail fired
    uint32_t score = 0;     // points scored on the field
    float lostX = -1.0f;    // where the first tank was lost (-1: it was not)
    float lostY = -1.0f;
};

// The button word to hold in the coming frame.
using ZTDriver = std::function<uint32_t()>;

// Plays `field` starting with `tail` joints and `lives` tanks (1 to 3) for at most `limit`
// frames, driven by `driver` (by default the simple automatic player). The modules and the scene
// runner are built and torn down inside.
FieldTrial ztTrialField(int field, int tail, int lives, int limit, ZTDriver driver = {});
