#include "eshot.h"
#include "ground_enemies.h"
#include "sprite.h"
#include "work.h"

namespace {
constexpr float body = 12.0f;
constexpr float victim = 20.0f;
} // namespace

// Tougher the longer the player's tail is when the field starts.
ZTEnmMiddle::ZTEnmMiddle(KVector position)
    : ZTGroundEnemy(position, body, victim, 16 * gWork->tail + 64) {}

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

void ZTEnmMiddle::kbDraw() {
    gSprite->kspPut(96, position.x, position.y, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
    gSprite->kspPut(94, position.x, position.y, angle, 1.0f, 1.0f, 0xFFFFFFFF);
}

void ZTEnmMiddle::kbDrawShadow(int pass) {
    (void)pass;
    gSprite->kspPut(94, position.x + 8.0f, position.y + 8.0f, angle, 1.0f, 1.0f, 0x60000000);
}
