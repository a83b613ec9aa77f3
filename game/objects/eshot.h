#pragma once
// Enemy shots: slow, straight, strength 1, small (type 0) or large (type 1). They fly until they
// touch the player's side or the border, then leave a drifting flash.
#include "behave.h"
#include "hit.h"

class ZTEShot : public KilnBehave, public KNDamager {
public:
    ZTEShot(KVector position, float angle, float speed, int type);

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;
    void knBegin() override;
    void knEnd() override {}
    void knHit() override { done = 1; }

    KVector position;
    KVector velocity;
    int type;
    int cell;
    int counter = 0;
    uint8_t done = 0;
};

// The spark at an enemy gun's muzzle; draws one random number for its angle.
class ZTEShotBlast : public KilnBehave {
public:
    ZTEShotBlast(KVector position, float scale);

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    KVector position;
    float angle;
    float scale;
    int cell = 69;
    int counter = 0;
};

// The flash an enemy shot or a counter shot leaves where it ended.
class ZTEShotFlash : public KilnBehave {
public:
    ZTEShotFlash(KVector position, KVector velocity, int type, float scale);

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    KVector position;
    KVector velocity;
    int type;
    int cell;
    float drawScale;
    int counter = 0;
};
