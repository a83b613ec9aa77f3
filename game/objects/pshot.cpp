#include "pshot.h"

#include "bounds.h"
#include "layers.h"
#include "sound.h"
#include "sprite.h"

ZTPShot::ZTPShot(KVector muzzle, float angle, ZTPShotGrip* grip)
    : KilnBehave(ZT_LAYER_SHOTS), KNDamager(0), position(muzzle), angle(angle), grip(grip) {
    active = 1;
    centre = position;
    radius = 12.0f;
    power = 1;
    ksAddRef(grip);
    grip->liveShots += 1;
}

ZTPShot::~ZTPShot() {
    grip->liveShots -= 1;
    ksRelease(grip);
}

void ZTPShot::knBegin() {
    centre = position;
    direction = kmHeading(angle);
    done = 0;
    hitTarget = 0;
}

void ZTPShot::knHit() {
    done = 1;
    hitTarget = 1;
}

bool ZTPShot::kbMove() {
    const KVector heading = kmHeading(angle);
    position += 12.0f * heading;
    if (ztOutsideField(position)) done = 1;
    if (!done) return true;
    new ZTPShotFlash(position, 0.5f * heading);
    if (hitTarget) kwPlay(7);
    return false;
}

void ZTPShot::kbDraw() {
    gSprite->kspPut(6, position.x, position.y, angle, 1.0f, 1.0f, 0xFFFFFFFF);
}

void ZTPShot::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(angle), hash.add(static_cast<int32_t>(done));
    hash.add(static_cast<int32_t>(hitTarget)), hash.add(centre), hash.add(direction);
}

ZTPShotBlast::ZTPShotBlast(KVector position, float angle)
    : KilnBehave(ZT_LAYER_SPARKS), position(position), angle(angle) {}

bool ZTPShotBlast::kbMove() {
    counter += 1;
    if (counter > 2) {
        cell += 1;
        if (cell > 5) return false;
        counter = 0;
    }
    return true;
}

void ZTPShotBlast::kbDraw() {
    gSprite->kspPut(cell, position.x, position.y, angle, 1.0f, 1.0f, 0xFFFFFFFF);
}

void ZTPShotBlast::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(angle), hash.add(cell), hash.add(counter);
}

ZTPShotFlash::ZTPShotFlash(KVector position, KVector velocity)
    : KilnBehave(ZT_LAYER_SPARKS), position(position), velocity(velocity) {}

bool ZTPShotFlash::kbMove() {
    counter += 1;
    if (counter > 3) {
        cell += 1;
        if (cell > 66) return false;
        counter = 0;
    }
    position += velocity;
    return true;
}

void ZTPShotFlash::kbDraw() {
    gSprite->kspPut(cell, position.x, position.y, 0.0f, 1.5f, 1.5f, 0xFFFFFFFF);
}

void ZTPShotFlash::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(velocity), hash.add(cell), hash.add(counter);
}
