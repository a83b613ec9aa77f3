#pragma once
// Spits: small homing flyers that enter from the top edge and fire now and then. They are not
// placed one by one: an invisible generator keeps a number of them in the air for the whole
// field, and a shared grip tells it how many of its spits are still alive. Neither counts as a
// ground enemy, so they never hold a field open.
#include <cstdint>

#include "behave.h"
#include "hit.h"

// A flyer generator's round; the numbers are hashed with it.
enum ZTSpitGenState : int32_t {
    ZT_SPITGEN_ROUND = 0,     // a round begins with a long wait
    ZT_SPITGEN_RELEASING = 1, // a flyer every interval until the most it keeps are out
    ZT_SPITGEN_FULL = 2,      // waits until more than half of them are gone
};

// The generator's count of its living spits. The generator and every spit hold a reference, so
// whichever goes last frees it.
class ZTEnmSpitGenGrip : public KilnScratch {
public:
    int32_t alive = 0;
};

class ZTEnmSpitGen : public KilnBehave {
public:
    ZTEnmSpitGen(int maximum, int interval);
    ~ZTEnmSpitGen() override;

    bool kbMove() override;
    void kbDraw() override {}
    void kbHash(KUHash& hash) const override;

    ZTEnmSpitGenGrip* grip;
    int32_t maximum;
    int32_t interval;
    ZTSpitGenState state = ZT_SPITGEN_ROUND;
    int32_t timer = 0;
};

class ZTEnmSpit : public KilnBehave, public KNDamaged {
public:
    ZTEnmSpit(ZTEnmSpitGenGrip* grip, KVector position);
    ~ZTEnmSpit() override;

    bool kbMove() override;
    void kbDraw() override;
    void kbDrawShadow(int pass) override;
    void kbHash(KUHash& hash) const override;
    void knBegin() override { damage = 0; }
    void knEnd() override {}
    bool knCheck(KNDamager* damager) override;

    ZTEnmSpitGenGrip* grip;
    KVector position;
    float angle = 0.0f;
    int32_t life = 4;
    int32_t damage = 0;
    int32_t fireTimer = 0;
};
