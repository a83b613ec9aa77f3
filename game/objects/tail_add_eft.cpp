#include "tail_add_eft.h"

#include "layers.h"
#include "sprite.h"

ZTTailAddEft::ZTTailAddEft(ZTJoint* joint, int type)
    : KilnBehave(ZT_LAYER_SPARKS), joint(joint), position(joint->parent->oldestPosition()),
      cell(type == 0 ? 67 : 68) {
    ksAddRef(joint);
}

ZTTailAddEft::~ZTTailAddEft() {
    ksRelease(joint);
}

bool ZTTailAddEft::kbMove() {
    if (phase == 0) {
        scale += 0.5f;
        if (scale > 4.0f) phase = 1;
    } else {
        scale -= 0.25f;
        if (scale < 1.0f) return false;
    }
    position = joint->parent->oldestPosition();
    angle += 0.25f;
    return true;
}

void ZTTailAddEft::kbDraw() {
    gSprite->kspPut(cell, position.x, position.y, angle, scale, scale, 0xFFFFFFFF);
}

void ZTTailAddEft::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(angle), hash.add(scale), hash.add(phase), hash.add(cell);
}
