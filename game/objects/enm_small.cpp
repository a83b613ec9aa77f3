#include "eshot.h"
#include "ground_enemies.h"
#include "sprite.h"

namespace {
constexpr float body = 8.0f;
constexpr float victim = 12.0f;
} // namespace

ZTEnm25P::ZTEnm25P(KVector position) : ZTGroundEnemy(position, body, victim, 8) {}

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

void ZTEnm25P::kbDraw() {
    gSprite->kspPut(93, position.x, position.y, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
    gSprite->kspPut(92, position.x, position.y, angle, 1.0f, 1.0f, 0xFFFFFFFF);
}

void ZTEnm25P::kbDrawShadow(int pass) {
    (void)pass;
    gSprite->kspPut(92, position.x + 8.0f, position.y + 8.0f, angle, 1.0f, 1.0f, 0x60000000);
}
