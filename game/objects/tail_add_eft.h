#pragma once
// The flash around a joint that was just added (type 0) or just charged (type 1). It rides on
// the joint through the joint's history, which it holds with a reference.
#include "behave.h"
#include "joint.h"

class ZTTailAddEft : public KilnBehave {
public:
    ZTTailAddEft(ZTJoint* joint, int type);
    ~ZTTailAddEft() override;

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    ZTJoint* joint;
    KVector position;
    float angle = 0.0f;
    float scale = 1.0f;
    int phase = 0;
    int cell;
};
