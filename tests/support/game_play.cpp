#include "game_play.h"

#include <cstdio>

#include "data/set.h"
#include "engine.h"

void GamePlay::writeSet(int set, const std::vector<Chip>& chips) {
    ZTSet s;
    for (const Chip& c : chips) s.add(c.x, c.y, c.kind);
    char path[32];
    std::snprintf(path, sizeof path, "dat/s%02d.zts", set);
    s.save(path);
}

void GamePlay::start(int field, int tail, ZTPlayMode mode) {
    work->startGame({.field = field, .tail = tail, .mode = mode});
    keNextScene = ZT_SCENE_GAME;
}
