#include <cmath>

#include "eshot.h"
#include "ground_enemies.h"
#include "work.h"

ZTEnmLarge::ZTEnmLarge(KVector position)
    : ZTGroundEnemy(position,
                    {.bodyRadius = 16.0f,
                     .victimRadius = 30.0f,
                     .hull = 97,
                     .turret = 98,
                     .turretShift = -1.0f,
                     .hullShadow = true},
                    24 * gWork->tail + 96) {}

bool ZTEnmLarge::kbMove() {
    if (takeDamage({2.0f, 48, 3.0f, 6, 100})) return false;
    fireTimer += 1;
    if (fireTimer > 120) {
        // A five-way fan aimed at the player at the moment of firing; the turret only spins.
        const KVector d = gWork->playerPos - position;
        const float aim = static_cast<float>(std::atan2(static_cast<double>(-d.x), d.y));
        const float step = kmPiF / 16.0f;
        for (const float a : {aim, aim + step, aim - step, aim + 2.0f * step, aim - 2.0f * step})
            new ZTEShot(position, a, 2.0f, 1);
        new ZTEShotBlast(position, 1.5f);
        fireTimer = 0;
    }
    angle += 0.03125f;
    return true;
}
