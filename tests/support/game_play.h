#pragma once
// A headless play: the shared scene world built for the game scene, in a private folder that
// holds the stock-shaped maps and whatever sets a test writes.
#include <cstdint>
#include <vector>

#include "scene_world.h"
#include "work.h"

class GamePlay : public SceneWorld {
public:
    // Each chip is {x, y, kind}; an empty list still writes the set file (a field with no enemy).
    struct Chip {
        int x, y, kind;
    };
    GamePlay() : SceneWorld(ZT_SCENE_GAME) {}

    // Writes dat/sNN.zts for set number `set`.
    void writeSet(int set, const std::vector<Chip>& chips);
    // startGame, then the game scene is the next to be built.
    void start(int field, int tail, ZTPlayMode mode = ZTPlayMode::Recorded);
};
