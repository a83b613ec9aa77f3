#include "field_look.h"

#include "creator.h"
#include "engine.h"

EngineGame* ztLiveField() {
    return keNextScene == ZT_SCENE_GAME ? currentGame : nullptr;
}
