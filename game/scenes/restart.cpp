#include "scenes/restart.h"

#include "work.h"

void EngineRestart::keMove() {
    if (--countdown < 0) {
        gWork->restartAfterMiss();
        keNextScene = ZT_SCENE_GAME;
    }
}
