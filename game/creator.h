#pragma once
// The scene factory: scene numbers 0..11.
#include "engine.h"

enum ZTScene {
    ZT_SCENE_POWERON = 0,
    ZT_SCENE_TITLE = 1,
    ZT_SCENE_GAME = 2,
    ZT_SCENE_EDIT = 3,
    ZT_SCENE_SET = 4,
    ZT_SCENE_RESTART = 5,
    ZT_SCENE_NEXTER = 6,
    ZT_SCENE_REPSAVE = 7,
    ZT_SCENE_REPSELECT = 8,
    ZT_SCENE_RANKING = 9,
    ZT_SCENE_NAMING = 10,
    ZT_SCENE_KAIWA = 11,
};

class ZTCreator : public KECreator {
public:
    KilnEngine* keCreateScene(int number) override;
};

// ZTEngine: the base of every scene of the game.
class ZTEngine : public KilnEngine {
public:
    void kePostHit() override {}
    void keHit() override {}
};
