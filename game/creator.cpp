#include "creator.h"

#include "scenes/edit.h"
#include "scenes/game.h"
#include "scenes/kaiwa.h"
#include "scenes/naming.h"
#include "scenes/nexter.h"
#include "scenes/poweron.h"
#include "scenes/ranking.h"
#include "scenes/repsave.h"
#include "scenes/repselect.h"
#include "scenes/restart.h"
#include "scenes/setedit.h"
#include "scenes/title.h"

KilnEngine* ZTCreator::keCreateScene(int number) {
    switch (number) {
    case ZT_SCENE_POWERON:
        return new EnginePoweron();
    case ZT_SCENE_TITLE:
        return new EngineTitle();
    case ZT_SCENE_GAME:
        return new EngineGame();
    case ZT_SCENE_EDIT:
        return new EngineEdit();
    case ZT_SCENE_SET:
        return new EngineSet();
    case ZT_SCENE_RESTART:
        return new EngineRestart();
    case ZT_SCENE_NEXTER:
        return new EngineNexter();
    case ZT_SCENE_REPSAVE:
        return new EngineRepSave();
    case ZT_SCENE_REPSELECT:
        return new EngineRepSelect();
    case ZT_SCENE_RANKING:
        return new EngineRanking();
    case ZT_SCENE_NAMING:
        return new EngineNaming();
    case ZT_SCENE_KAIWA:
        return new EngineKaiwa();
    default:
        return nullptr;
    }
}
