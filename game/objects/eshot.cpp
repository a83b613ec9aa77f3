#include "eshot.h"

#include "bounds.h"
#include "layers.h"
#include "random.h"
#include "sprite.h"

ZTEShot::ZTEShot(KVector position, float angle, float speed, int type)
    : KilnBehave(ZT_LAYER_ENEMY_SHOTS), KNDamager(1), position(position),
      velocity(speed * kmHeading(angle)), type(type), cell(type == 0 ? 72 : 76) {
    active = 1;
    centre = position;
    radius = type == 0 ? 4.0f : 8.0f;
    direction = velocity;
    power = 1;
}

void ZTEShot::knBegin() {
    centre = position;
    direction = velocity;
    done = 0;
}

bool ZTEShot::kbMove() {
    counter += 1;
    if (counter > 3) {
        cell += 1;
        if (type == 0 && cell > 75) cell = 72;
        if (type != 0 && cell > 77) cell = 76;
        counter = 0;
    }
    position += velocity;
    if (ztOutsideField(position)) done = 1;
    if (!done) return true;
    new ZTEShotFlash(position, 0.5f * velocity, type, 1.0f);
    return false;
}

void ZTEShot::kbDraw() {
    gSprite->kspPut(cell, position.x, position.y, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
}

void ZTEShot::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(velocity), hash.add(type), hash.add(cell), hash.add(counter);
    hash.add(static_cast<int32_t>(done));
}

namespace {
// A random angle from -pi to just under pi.
float randomAngle() {
    return (static_cast<float>(kuRand()) / 16384.0f - 1.0f) * kmPiF;
}
} // namespace

ZTEShotBlast::ZTEShotBlast(KVector position, float scale)
    : KilnBehave(ZT_LAYER_SPARKS), position(position), angle(randomAngle()), scale(scale) {}

bool ZTEShotBlast::kbMove() {
    counter += 1;
    if (counter > 1) {
        cell += 1;
        if (cell > 71) return false;
        counter = 0;
    }
    return true;
}

void ZTEShotBlast::kbDraw() {
    gSprite->kspPut(cell, position.x, position.y, angle, scale, scale, 0xFFFFFFFF);
}

void ZTEShotBlast::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(angle), hash.add(scale), hash.add(cell), hash.add(counter);
}

ZTEShotFlash::ZTEShotFlash(KVector position, KVector velocity, int type, float scale)
    : KilnBehave(ZT_LAYER_SPARKS), position(position), velocity(velocity), type(type),
      cell(type == 0 ? 78 : 86), drawScale(scale * (type == 0 ? 1.5f : 2.0f)) {}

bool ZTEShotFlash::kbMove() {
    counter += 1;
    if (counter > 3) {
        cell += 1;
        if (cell > (type == 0 ? 85 : 91)) return false;
        counter = 0;
    }
    position += velocity;
    return true;
}

void ZTEShotFlash::kbDraw() {
    gSprite->kspPut(cell, position.x, position.y, 0.0f, drawScale, drawScale, 0xFFFFFFFF);
}

void ZTEShotFlash::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(velocity), hash.add(type), hash.add(cell), hash.add(drawScale);
    hash.add(counter);
}
