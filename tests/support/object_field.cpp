#include "object_field.h"

#include "hit.h"
#include "objects/tail.h"

ObjectField::ObjectField() {
    kbResetLists();
    knResetLists();
    ksInitializeScratch();
    resetTailChain();
}

ObjectField::~ObjectField() {
    kbDeleteAll();
    ksDisposeScratch();
}

void ObjectField::frame() {
    input.kiUpdate();
    kbMoveAll();
    knHitCheck();
    frameNumber += 1;
}

std::vector<int> ObjectField::drawLayers() {
    sprite.kspClear();
    for (int layer = 0; layer < kbLayerCount; ++layer) kbDrawLayer(layer);
    std::vector<int> cells;
    for (int i = 0; i < sprite.count(); ++i) cells.push_back(sprite.queued(i).cell);
    sprite.kspClear();
    return cells;
}
