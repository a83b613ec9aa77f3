#include "spit.h"

#include "effects.h"
#include "eshot.h"
#include "layers.h"
#include "random.h"
#include "sound.h"
#include "sprite.h"
#include "work.h"

ZTEnmSpitGen::ZTEnmSpitGen(int maximum, int interval)
    : KilnBehave(ZT_LAYER_AIR), grip(new ZTEnmSpitGenGrip()), maximum(maximum), interval(interval) {
}

ZTEnmSpitGen::~ZTEnmSpitGen() {
    ksRelease(grip);
}

bool ZTEnmSpitGen::kbMove() {
    switch (state) {
    case ZT_SPITGEN_ROUND:
        // The long wait before the first spit of a round.
        timer = 4 * interval;
        state = ZT_SPITGEN_RELEASING;
        [[fallthrough]];
    case ZT_SPITGEN_RELEASING: {
        timer -= 1;
        if (timer >= 0) break;
        const float x = static_cast<float>(kuRand()) / 32768.0f * 512.0f + 64.0f;
        new ZTEnmSpit(grip, {x, -64.0f, 0.0f});
        timer = interval;
        if (grip->alive >= maximum) state = ZT_SPITGEN_FULL;
        break;
    }
    case ZT_SPITGEN_FULL:
        // A new round only once more than half of the spits are gone.
        if (grip->alive < maximum / 2) state = ZT_SPITGEN_ROUND;
        break;
    default:
        break;
    }
    // A generator lives as long as its field.
    return true;
}

void ZTEnmSpitGen::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(grip->alive), hash.add(maximum), hash.add(interval),
        hash.add(static_cast<int32_t>(state)), hash.add(timer);
}

ZTEnmSpit::ZTEnmSpit(ZTEnmSpitGenGrip* grip, KVector position)
    : KilnBehave(ZT_LAYER_AIR), KNDamaged(1), grip(grip), position(position) {
    active = 1;
    knBound(&this->position, 12.0f);
    ksAddRef(grip);
    grip->alive += 1;
}

ZTEnmSpit::~ZTEnmSpit() {
    grip->alive -= 1;
    ksRelease(grip);
}

bool ZTEnmSpit::knCheck(KNDamager* damager) {
    if (!knWithin(damager, position, 12.0f)) return false;
    damage += damager->power;
    return true;
}

bool ZTEnmSpit::kbMove() {
    if (damage != 0) {
        life -= damage;
        if (life <= 0) {
            // A spit bursts small: no scorch mark and no joint for the tail.
            new ZTBaku(position, 1.0f, 12);
            new ZTRate(position, damage);
            kwPlay(3);
            gWork->addScore(static_cast<uint32_t>(damage) * 5u);
            return false;
        }
    }
    const KVector d = kmNormalize(gWork->playerPos - position);
    angle += 0.03125f * (-kmSin(angle) * d.y - kmCos(angle) * d.x);
    // Always flying forward while turning, a spit that overshoots circles back.
    position += 3.0f * kmHeading(angle);
    fireTimer += 1;
    if (fireTimer > 120) {
        const KVector to = gWork->playerPos - position;
        // Point-blank shots would be unfair: a player this close is spared, the timer restarts.
        if (to.x * to.x + to.y * to.y + to.z * to.z > 4096.0f) {
            new ZTEShot(position, angle, 2.0f, 1);
            new ZTEShotBlast(position, 1.5f);
        }
        fireTimer = 0;
    }
    return true;
}

void ZTEnmSpit::kbDraw() {
    gSprite->kspPut(99, position.x, position.y, angle, 1.0f, 1.0f, 0xFFFFFFFF);
}

void ZTEnmSpit::kbDrawShadow(int pass) {
    (void)pass;
    gSprite->kspPut(99, position.x + 24.0f, position.y + 24.0f, angle, 1.0f, 1.0f, 0x60000000);
}

void ZTEnmSpit::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(angle), hash.add(life), hash.add(damage), hash.add(fireTimer);
}
