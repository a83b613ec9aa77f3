#pragma once
// The fixed gun emplacements of a field: small, middle and large. They turn a turret, fire
// volleys on a timer, sum the power of every blow of a hit phase, and when destroyed burst,
// score the killing frame's damage and lengthen the player's tail.
#include <cstdint>

#include "ground.h"
#include "hit.h"

// The part the three share: position, turret, life, damage and fire timer, the hit model and
// the picture, a hull that stands upright under a turret that turns.
class ZTGroundEnemy : public ZTGround, public KNDamager, public KNDamaged {
public:
    // What sets one kind apart from another.
    struct Kind {
        float bodyRadius;   // the sphere that hurts the player's side
        float victimRadius; // the sphere the player's side hurts
        int hull;
        int turret;
        float turretShift = 0.0f; // added to both of the turret's coordinates
        bool hullShadow = false;  // the shadow is the hull's, upright, rather than the turret's
        float shadowDrop = 8.0f;  // how far down and right the shadow falls
    };

    ZTGroundEnemy(KVector position, const Kind& kind, int life);

    void kbDraw() override;
    void kbDrawShadow(int pass) override;
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

protected:
    const Kind kind;
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
};

class ZTEnmMiddle : public ZTGroundEnemy {
public:
    explicit ZTEnmMiddle(KVector position);
    bool kbMove() override;
};

class ZTEnmLarge : public ZTGroundEnemy {
public:
    explicit ZTEnmLarge(KVector position);
    bool kbMove() override;
};
