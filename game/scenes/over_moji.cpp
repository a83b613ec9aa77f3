#include "objects/layers.h"
#include "scenes/game.h"
#include "sprite.h"

ZTOverMoji::ZTOverMoji(KVector start, KVector target_, int cell_)
    : KilnBehave(ZT_LAYER_LETTERS), position(start), target(target_), cell(cell_) {}

bool ZTOverMoji::kbMove() {
    position.x += (target.x - position.x) * 0.0625f;
    position.y += (target.y - position.y) * 0.0625f;
    position.z += (target.z - position.z) * 0.0625f;
    scale += (1.0f - scale) * 0.0625f;
    return true; // the letters stay until the scene ends
}

void ZTOverMoji::kbDraw() {
    gSprite->kspPut(cell, position.x, position.y, 0.0f, scale, scale, 0xFFFFFFFFu);
}

void ZTOverMoji::kbHash(KUHash& hash) const {
    hash.add(layer);
    hash.add(position);
    hash.add(target);
    hash.add(scale);
    hash.add(static_cast<int32_t>(cell));
}
