#pragma once
// The fixed gun emplacements of a field: small, middle and large. They turn a turret, fire
// volleys on a timer, sum the power of every blow of a hit phase, and when destroyed burst,
// score the killing frame's damage and lengthen the player's tail.
#include <cstdint>

#include "ground.h"
#include "hit.h"

// The part the three share: position, turret, life, damage and fire timer, and the hit model.
class ZTGroundEnemy : public ZTGround, public KNDamager, public KNDamaged {
public:
    ZTGroundEnemy(KVector position, float bodyRadius, float victimRadius, int life);

    void kbHash(KUHash& hash) const override;
    // Both components start their phase here: the body sphere follows the position and the
    // damage of the last phase is forgotten.
    void knBegin() override;
    void knEnd() override {}
    void knHit() override {}
    bool knCheck(KNDamager* damager) override;

    KVector position;
    float angle = 0.0f;
    int32_t life;
    int32_t damage = 0;
    int32_t fireTimer = 0;
    float victimRadius;

protected:
    struct Burst {
        float bakuSize;
        int bakuFrames;
        float kogeScale;
        int sound;
        uint32_t scoreMultiple;
    };
    // Takes the damage of the last phase; true when it destroyed the enemy (the burst is made).
    bool takeDamage(const Burst& burst);
    // Turns the turret toward the player's position at 0.0625 times the sine of the error.
    void aimTurret();
    KVector muzzle(KVector offset) const;
};

class ZTEnm25P : public ZTGroundEnemy {
public:
    explicit ZTEnm25P(KVector position);
    bool kbMove() override;
    void kbDraw() override;
    void kbDrawShadow(int pass) override;
};

class ZTEnmMiddle : public ZTGroundEnemy {
public:
    explicit ZTEnmMiddle(KVector position);
    bool kbMove() override;
    void kbDraw() override;
    void kbDrawShadow(int pass) override;
};

class ZTEnmLarge : public ZTGroundEnemy {
public:
    explicit ZTEnmLarge(KVector position);
    bool kbMove() override;
    void kbDraw() override;
    void kbDrawShadow(int pass) override;
};
