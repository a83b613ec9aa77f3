#include "effects.h"
#include "ground_enemies.h"
#include "layers.h"
#include "sound.h"
#include "sprite.h"
#include "tail.h"
#include "work.h"

ZTGroundEnemy::ZTGroundEnemy(KVector position, const Kind& kind, int life)
    : ZTGround(ZT_LAYER_GROUND), KNDamager(1), KNDamaged(1), position(position), life(life),
      kind(kind) {
    KNDamager::active = 1;
    centre = position;
    radius = kind.bodyRadius;
    direction = {0.0f, 0.0f, 0.0f};
    power = 1;
    KNDamaged::active = 1;
    knBound(&this->position, kind.victimRadius);
}

void ZTGroundEnemy::knBegin() {
    centre = position;
    direction = {0.0f, 0.0f, 0.0f};
    damage = 0;
}

bool ZTGroundEnemy::knCheck(KNDamager* damager) {
    if (!knWithin(damager, position, kind.victimRadius)) return false;
    damage += damager->power;
    return true;
}

bool ZTGroundEnemy::takeDamage(const Burst& burst) {
    if (damage == 0) return false;
    life -= damage;
    if (life > 0) return false;
    new ZTBaku(position, burst.bakuSize, burst.bakuFrames);
    new ZTKoge(position, burst.kogeScale);
    // The pop-up and the score count the whole blow of the killing frame, not the life left.
    new ZTRate(position, damage);
    kwPlay(burst.sound);
    gWork->addScore(static_cast<uint32_t>(damage) * burst.scoreMultiple);
    addTail(ZT_JOINT_ARMED, true);
    gWork->tail += 1;
    if (gWork->tail > gWork->tailMax) gWork->tailMax = gWork->tail;
    return true;
}

void ZTGroundEnemy::aimTurret() {
    const KVector d = kmNormalize(gWork->playerPos - position);
    angle += 0.0625f * (-kmSin(angle) * d.y - kmCos(angle) * d.x);
}

KVector ZTGroundEnemy::muzzle(KVector offset) const {
    return position + KCMatrix(angle).apply(offset);
}

void ZTGroundEnemy::kbDraw() {
    gSprite->kspPut(kind.hull, position.x, position.y, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
    gSprite->kspPut(kind.turret, position.x + kind.turretShift, position.y + kind.turretShift,
                    angle, 1.0f, 1.0f, 0xFFFFFFFF);
}

void ZTGroundEnemy::kbDrawShadow(int pass) {
    (void)pass;
    gSprite->kspPut(kind.hullShadow ? kind.hull : kind.turret, position.x + kind.shadowDrop,
                    position.y + kind.shadowDrop, kind.hullShadow ? 0.0f : angle, 1.0f, 1.0f,
                    0x60000000);
}

void ZTGroundEnemy::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(angle), hash.add(life), hash.add(damage), hash.add(fireTimer);
}
