#include "eshot.h"
#include "ground_enemies.h"

ZTEnm25P::ZTEnm25P(KVector position)
    : ZTGroundEnemy(position, {.bodyRadius = 8.0f, .victimRadius = 12.0f, .hull = 93, .turret = 92},
                    8) {}

bool ZTEnm25P::kbMove() {
    if (takeDamage({1.0f, 16, 1.5f, 5, 10})) return false;
    aimTurret();
    fireTimer += 1;
    if (fireTimer > 64) {
        const KVector m = muzzle({0.0f, 16.0f, 0.0f});
        new ZTEShot(m, angle, 2.0f, 0);
        new ZTEShotBlast(m, 1.0f);
        fireTimer = 0;
    }
    return true;
}
