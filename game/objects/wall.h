#pragma once
// The arena's border, 32 pixels thick, with the tank's start piece in the bottom edge. It only
// draws: every moving object tests the playfield bounds itself.
#include "behave.h"

class ZTWall : public KilnBehave {
public:
    ZTWall();

    bool kbMove() override { return true; }
    void kbDraw() override;
    void kbDrawShadow(int pass) override;
};
