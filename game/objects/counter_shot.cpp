#include "counter_shot.h"

#include "bounds.h"
#include "eshot.h"
#include "layers.h"
#include "random.h"
#include "sound.h"
#include "sprite.h"

ZTCounterShot::ZTCounterShot(KVector position, KVector velocity, int power)
    : KilnBehave(ZT_LAYER_SHOTS), KNDamager(0), position(position), velocity(velocity) {
    active = 1;
    centre = position;
    radius = 16.0f;
    direction = velocity;
    this->power = power;
}

void ZTCounterShot::knBegin() {
    centre = position;
    done = 0;
    hitTarget = 0;
}

void ZTCounterShot::knHit() {
    done = 1;
    hitTarget = 1;
}

bool ZTCounterShot::kbMove() {
    if (life & 1) cell = cell == 57 ? 56 : cell + 1;
    position += velocity;
    scale += 0.071428575f;
    if (ztOutsideField(position)) done = 1;
    if (!done) {
        life -= 1;
        return life >= 0;
    }
    // The spark scatters at random; both draws belong to the replayed sequence.
    const float b = (static_cast<float>(kuRand()) / 16384.0f - 1.0f) * kmPiF;
    const float s = static_cast<float>(kuRand()) / 32768.0f * 2.0f;
    const KVector drift = 0.25f * velocity + s * KVector{kmSin(b), kmCos(b), 0.0f};
    new ZTEShotFlash(position, drift, 0, scale * 1.25f);
    if (hitTarget) kwPlay(9);
    return false;
}

void ZTCounterShot::kbDraw() {
    gSprite->kspPut(cell, position.x, position.y, 0.0f, scale, scale, 0xFFFFFFFF);
}

void ZTCounterShot::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(velocity), hash.add(scale), hash.add(cell), hash.add(life);
    hash.add(static_cast<int32_t>(done)), hash.add(static_cast<int32_t>(hitTarget));
    hash.add(power);
}
