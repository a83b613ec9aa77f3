#include "object_world.h"

#include "hit.h"
#include "objects/tail.h"
#include "random.h"

ObjectWorld::ObjectWorld() {
    kbResetLists();
    knResetLists();
    ksInitializeScratch();
    resetTailChain();
    work->tail = 0;
    work->tailMax = 0;
    work->groundCount = 0;
    kuSeed(920);
}

ObjectWorld::~ObjectWorld() {
    kbDeleteAll();
    ksDisposeScratch();
}

void ObjectWorld::frame() {
    input.kiUpdate();
    kbMoveAll();
    knHitCheck();
    frameNumber += 1;
}

std::vector<int> ObjectWorld::drawLayers() {
    sprite.kspClear();
    for (int layer = 0; layer < kbLayerCount; ++layer) kbDrawLayer(layer);
    std::vector<int> cells;
    for (int i = 0; i < sprite.count(); ++i) cells.push_back(sprite.queued(i).cell);
    sprite.kspClear();
    return cells;
}
