#pragma once
// The tank's shots: straight, fast, strength 1, at most 6 in flight, counted in a grip that the
// tank and its shots share so the count stays right whichever is deleted first.
#include "behave.h"
#include "own_shot.h"

class ZTPShotGrip : public KilnScratch {
public:
    int liveShots = 0;
};

class ZTPShot : public ZTOwnShot {
public:
    ZTPShot(KVector muzzle, float angle, ZTPShotGrip* grip);
    ~ZTPShot() override;

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;
    // Aims the damage along the heading as well.
    void knBegin() override;

    float angle;
    ZTPShotGrip* grip;
};

// The muzzle blast: stands still, two cells, gone in its sixth frame.
class ZTPShotBlast : public KilnBehave {
public:
    ZTPShotBlast(KVector position, float angle);

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    KVector position;
    float angle;
    int cell = 4;
    int counter = 0;
};

// The flash where a shot ended, drifting along its heading.
class ZTPShotFlash : public KilnBehave {
public:
    ZTPShotFlash(KVector position, KVector velocity);

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    KVector position;
    KVector velocity;
    int cell = 59;
    int counter = 0;
};
