#pragma once
// The tail: one ZTTail per joint, each following its leader's path 15 frames behind. Joints block
// shots, destroy the tank on contact, and armed joints answer enemy fire with counter bursts.
#include "behave.h"
#include "hit.h"
#include "joint.h"

class ZTTail;

// The numbers below are hashed with each joint.
enum ZTJointKind : int32_t {
    ZT_JOINT_PLAIN = 0,
    ZT_JOINT_ARMED = 1, // answers enemy fire with counter bursts
};
enum ZTTailState : int32_t {
    ZT_TAIL_FOLLOWING = 0,
    ZT_TAIL_EXPLODING = 1, // hit by the down-flag; gone after its countdown
};
// An armed joint's counter: hit by the enemy side it charges, struck by the tank's own shot it
// fires a burst to the side the shot came from, then waits again.
enum ZTCounterState : int32_t {
    ZT_COUNTER_WAITING = 0,
    ZT_COUNTER_CHARGED = 1,
    ZT_COUNTER_FIRING = 2,
};
// Frames a counter burst lasts; it fires a shot on every other one.
constexpr int ztBurstFrames = 128;

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
    // Builds `length` joints behind `leader`; only the first has `kind`.
    ZTTail(ZTJointKind kind, int length, ZTJoint* leader, bool effect);
    ~ZTTail() override;

    bool kbMove() override;
    void kbDraw() override;
    void kbDrawShadow(int pass) override;
    void kbHash(KUHash& hash) const override;

    ZTJointKind kind;
    KVector position;
    float angle;
    uint8_t down = 0;
    ZTTailState state = ZT_TAIL_FOLLOWING;
    int countdown = 0;
    int cell;
    int charge = 0;
    ZTCounterState counterState = ZT_COUNTER_WAITING;
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
void addTail(ZTJointKind kind, bool effect);
