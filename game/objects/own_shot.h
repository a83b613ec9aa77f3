#pragma once
// A shot on the player's side: the tank's shots and the tail's counter shots. It flies in the
// shots' layer, and touching anything ends it on its next move, which then knows to sound a hit.
#include "behave.h"
#include "hit.h"
#include "layers.h"

class ZTOwnShot : public KilnBehave, public KNDamager {
public:
    void knBegin() override {
        centre = position;
        done = 0;
        hitTarget = 0;
    }
    void knEnd() override {}
    void knHit() override {
        done = 1;
        hitTarget = 1;
    }

    KVector position;
    uint8_t done = 0;
    uint8_t hitTarget = 0;

protected:
    ZTOwnShot(KVector position, float radius, int power)
        : KilnBehave(ZT_LAYER_SHOTS), KNDamager(0), position(position) {
        active = 1;
        centre = position;
        this->radius = radius;
        this->power = power;
    }
};
