#include "boss_lc.h"

#include "eshot.h"
#include "sprite.h"
#include "work.h"

namespace {
constexpr float bossRadius = 48.0f;
const KVector muzzleOffset{0.0f, 48.0f, 0.0f};
} // namespace

ZTBossLC::ZTBossLC(KVector position)
    : ZTGroundEnemy(position,
                    {.bodyRadius = bossRadius,
                     .victimRadius = bossRadius,
                     .hull = 103,
                     .turret = 105,
                     .shadowDrop = 12.0f},
                    256 * gWork->tail + 64) {}

bool ZTBossLC::kbMove() {
    if (takeDamage({3.0f, 64, 4.0f, 5, 500})) return false;
    aimTurret();
    switch (phase) {
    case 0:
        timer = 0;
        count = 0;
        phase = 1;
        [[fallthrough]];
    case 1:
        if (tick() > 120) {
            timer = 0;
            count += 1;
            fireFan();
            if (count >= 5) phase = 2;
        }
        break;
    case 2:
        if (tick() > 120) {
            timer = 0;
            count = 0;
            phase = 3;
        }
        break;
    case 3:
        if (tick() > 1) {
            timer = 0;
            count += 1;
            fireStream();
            if (count > 240) phase = 0;
        }
        break;
    default:
        break;
    }
    return true;
}

void ZTBossLC::fireFan() {
    const KVector m = muzzle(muzzleOffset);
    const float e = kmPiF / 8.0f;
    for (const float a : {angle, angle + e, angle - e, angle + 2.0f * e, angle - 2.0f * e,
                          angle + 4.0f * e, angle - 4.0f * e})
        new ZTEShot(m, a, 1.5f, 1);
    new ZTEShotBlast(m, 1.25f);
}

void ZTBossLC::fireStream() {
    const KVector m = muzzle(muzzleOffset);
    new ZTEShot(m, angle, 12.0f, 1);
    new ZTEShotBlast(m, 2.0f);
}

// A ring between hull and turret turns at half the turret's pace.
void ZTBossLC::kbDraw() {
    gSprite->kspPut(kind.hull, position.x, position.y, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
    gSprite->kspPut(104, position.x, position.y, angle * 0.5f, 1.0f, 1.0f, 0xFFFFFFFF);
    gSprite->kspPut(kind.turret, position.x, position.y, angle, 1.0f, 1.0f, 0xFFFFFFFF);
}

void ZTBossLC::kbHash(KUHash& hash) const {
    ZTGroundEnemy::kbHash(hash);
    hash.add(phase), hash.add(timer), hash.add(count);
}
