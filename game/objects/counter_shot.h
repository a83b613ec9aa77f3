#pragma once
// The tail's answer to enemy fire: fast, growing bolts on the player's side, as strong as the
// tail is long plus one, that fade out after 16 frames.
#include "own_shot.h"

class ZTCounterShot : public ZTOwnShot {
public:
    ZTCounterShot(KVector position, KVector velocity, int power);

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    KVector velocity;
    float scale = 0.75f;
    int cell = 56;
    int life = 16;
};
