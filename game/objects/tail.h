#pragma once
// The tail: one ZTTail per joint, each following its leader's path 15 frames behind. Joints block
// shots, destroy the tank on contact, and armed joints answer enemy fire with counter bursts.
#include "behave.h"
#include "hit.h"
#include "joint.h"

class ZTTail;

// The joint as an obstacle for the player's side: touches the tank and the joints' own targets.
class ZTTailDamagerE : public KNDamager {
public:
    explicit ZTTailDamagerE(const KVector* position);
    void knBegin() override;
    void knEnd() override {}
    void knHit() override {}

    const KVector* position;
};

// The joint as a target of the player's shots: only blows of power exactly 1 count.
class ZTTailDamagedE : public KNDamaged {
public:
    explicit ZTTailDamagedE(const KVector* position);
    void knBegin() override;
    void knEnd() override {}
    bool knCheck(KNDamager* damager) override;

    const KVector* position;
    uint8_t struck = 0;
    KVector strikeVector{0.0f, 0.0f, 0.0f}; // from the joint to the shot that struck it
};

// The joint as a target of the enemy side (shots, bodies, the joints' own obstacles).
class ZTTailDamagedP : public KNDamaged {
public:
    explicit ZTTailDamagedP(const KVector* position);
    void knBegin() override;
    void knEnd() override {}
    bool knCheck(KNDamager* damager) override;

    const KVector* position;
    int damage = 0;
};

class ZTTail : public KilnBehave {
public:
    // Builds `length` joints behind `leader`; only the first has `kind` (0 plain, 1 armed).
    ZTTail(int kind, int length, ZTJoint* leader, bool effect);
    ~ZTTail() override;

    bool kbMove() override;
    void kbDraw() override;
    void kbDrawShadow(int pass) override;
    void kbHash(KUHash& hash) const override;

    int kind;
    KVector position;
    float angle;
    uint8_t down = 0;
    int state = 0; // 0 following, 1 exploding
    int countdown = 0;
    int cell;
    int charge = 0;
    int counterState = 0; // 0 waiting, 1 charged, 2 firing
    int blink = 0;
    float chargeScale = 0.0f;
    float counterSign = 1.0f;
    int counterTimer = 0;
    ZTTailDamagerE damager;
    ZTTailDamagedE victimE;
    ZTTailDamagedP victimP;
    ZTJoint* joint;
    ZTTail* prevTail = nullptr;
    ZTTail* nextTail = nullptr;

private:
    void armedStep();
};

// The engine-wide tail chain in order of construction; new joints join at tailLast.
extern ZTTail* tailFirst;
extern ZTTail* tailLast;

void resetTailChain();
// Lengthens the tail by one joint of `kind` at its end; nothing when no joint is left.
void addTail(int kind, bool effect);
