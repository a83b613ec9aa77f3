#pragma once
// The hit model: damagers give hits, damaged components take them. Team 0 is the player's side,
// team 1 the enemies'. knHitCheck pairs every damager of one team with every damaged component of
// the other; victims record what they need and owners act on it in their next kbMove.
#include "kmath.h"

class KNDamager {
public:
    explicit KNDamager(int team);
    virtual ~KNDamager();
    KNDamager(const KNDamager&) = delete;
    KNDamager& operator=(const KNDamager&) = delete;

    virtual void knBegin() = 0;
    virtual void knEnd() = 0;
    // This damager hit a victim.
    virtual void knHit() = 0;

    int team;
    int active = 0;
    KVector centre{};
    float radius = 0.0f;
    KVector direction{};
    int power = 0;
    // Never tested against kin (see KNDamaged::knMakeKin).
    bool sparesKin = false;
    KNDamager* prev = nullptr;
    KNDamager* next = nullptr;
};

class KNDamaged {
public:
    explicit KNDamaged(int team);
    virtual ~KNDamaged();
    KNDamaged(const KNDamaged&) = delete;
    KNDamaged& operator=(const KNDamaged&) = delete;

    virtual void knBegin() = 0;
    virtual void knEnd() = 0;
    // Tests a hit by the damager and records it; true when hit.
    virtual bool knCheck(KNDamager* damager) = 0;
    // Makes this component kin: damagers that spare kin never test it. Only for pairs whose
    // test could change nothing (the tail's joints against one another, each frame, a number
    // that grows with the square of the tail), so that leaving them out keeps every other test
    // and its order.
    void knMakeKin();
    // Promises that knCheck hits nothing and records nothing unless the damager's circle comes
    // within `reach` of *at, so that knHitCheck may leave far damagers untested.
    void knBound(const KVector* at, float reach);

    int team;
    int active = 0;
    bool kin = false;
    const KVector* boundAt = nullptr; // none: every damager is tested
    float boundReach = 0.0f;
    KNDamaged* prev = nullptr;
    KNDamaged* next = nullptr;
    // The same list without kin, in the same order.
    KNDamaged* prevOther = nullptr;
    KNDamaged* nextOther = nullptr;
};

// List heads, newest first, per team; knOthers leaves out kin.
extern KNDamager* knDamagers[2];
extern KNDamaged* knDamageds[2];
extern KNDamaged* knOthers[2];

void knResetLists();
void knHitCheck();

// The test every victim uses: radius + victimRadius > |centre - position|, strictly.
inline bool knWithin(const KNDamager* damager, const KVector& position, float victimRadius) {
    return damager->radius + victimRadius > kmDistance(damager->centre, position);
}
