#include "eshot.h"
#include "ground_enemies.h"
#include "work.h"

// Tougher the longer the player's tail is when the field starts.
ZTEnmMiddle::ZTEnmMiddle(KVector position)
    : ZTGroundEnemy(position,
                    {.bodyRadius = 12.0f, .victimRadius = 20.0f, .hull = 96, .turret = 94},
                    16 * gWork->tail + 64) {}

bool ZTEnmMiddle::kbMove() {
    if (takeDamage({1.5f, 16, 2.0f, 5, 50})) return false;
    aimTurret();
    fireTimer += 1;
    if (fireTimer > 96) {
        // Each barrel fires a short line of three.
        for (const float side : {8.0f, -8.0f}) {
            const KVector m = muzzle({side, 22.0f, 0.0f});
            for (const float speed : {2.0f, 2.5f, 3.0f}) new ZTEShot(m, angle, speed, 0);
            new ZTEShotBlast(m, 1.25f);
        }
        fireTimer = 0;
    }
    return true;
}
