#include "scenes/nexter.h"

#include "work.h"

void EngineNexter::keMove() {
    if (--countdown < 0) {
        gWork->nextField();
        const bool talk = gWork->field == 12 || gWork->field == 13;
        keNextScene = talk ? ZT_SCENE_KAIWA : ZT_SCENE_GAME;
    }
}
