#include <cmath>

#include "eshot.h"
#include "ground_enemies.h"
#include "sprite.h"
#include "work.h"

namespace {
constexpr float body = 16.0f;
constexpr float victim = 30.0f;
} // namespace

ZTEnmLarge::ZTEnmLarge(KVector position)
    : ZTGroundEnemy(position, body, victim, 24 * gWork->tail + 96) {}

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

void ZTEnmLarge::kbDraw() {
    gSprite->kspPut(97, position.x, position.y, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
    gSprite->kspPut(98, position.x - 1.0f, position.y - 1.0f, angle, 1.0f, 1.0f, 0xFFFFFFFF);
}

void ZTEnmLarge::kbDrawShadow(int pass) {
    (void)pass;
    gSprite->kspPut(97, position.x + 8.0f, position.y + 8.0f, 0.0f, 1.0f, 1.0f, 0x60000000);
}
