#pragma once
// The tail's answer to enemy fire: fast, growing bolts on the player's side, as strong as the
// tail is long plus one, that fade out after 16 frames.
#include "behave.h"
#include "hit.h"

class ZTCounterShot : public KilnBehave, public KNDamager {
public:
    ZTCounterShot(KVector position, KVector velocity, int power);

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;
    void knBegin() override;
    void knEnd() override {}
    void knHit() override;

    KVector position;
    KVector velocity;
    float scale = 0.75f;
    int cell = 56;
    int life = 16;
    uint8_t done = 0;
    uint8_t hitTarget = 0;
};
