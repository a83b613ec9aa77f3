#include "creator.h"

#include "scenes/game.h"
#include "scenes/nexter.h"
#include "scenes/poweron.h"
#include "scenes/restart.h"

KilnEngine* ZTCreator::keCreateScene(int number) {
    switch (number) {
    case ZT_SCENE_POWERON:
        return new EnginePoweron();
    case ZT_SCENE_GAME:
        return new EngineGame();
    case ZT_SCENE_RESTART:
        return new EngineRestart();
    case ZT_SCENE_NEXTER:
        return new EngineNexter();
    default:
        return nullptr;
    }
}
