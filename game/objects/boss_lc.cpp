#include "boss_lc.h"

#include "eshot.h"
#include "sprite.h"
#include "work.h"

namespace {
constexpr float bossRadius = 48.0f;
const KVector muzzleOffset{0.0f, 48.0f, 0.0f};
} // namespace

ZTBossLC::ZTBossLC(KVector position)
    : ZTGroundEnemy(position, bossRadius, bossRadius, 256 * gWork->tail + 64) {}

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

void ZTBossLC::kbDraw() {
    gSprite->kspPut(103, position.x, position.y, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
    gSprite->kspPut(104, position.x, position.y, angle * 0.5f, 1.0f, 1.0f, 0xFFFFFFFF);
    gSprite->kspPut(105, position.x, position.y, angle, 1.0f, 1.0f, 0xFFFFFFFF);
}

void ZTBossLC::kbDrawShadow(int pass) {
    (void)pass;
    gSprite->kspPut(105, position.x + 12.0f, position.y + 12.0f, angle, 1.0f, 1.0f, 0x60000000);
}

void ZTBossLC::kbHash(KUHash& hash) const {
    ZTGroundEnemy::kbHash(hash);
    hash.add(phase), hash.add(timer), hash.add(count);
}
