#pragma once
// A joint's history: the last positions, angles and down-flags its owner pushed, newest first.
// The tank and every tail joint own one; each follower reads the oldest entry of its leader's.
#include <cstdint>

#include "behave.h"
#include "kmath.h"

constexpr int ztJointMaxLength = 16;

class ZTJoint : public KilnScratch {
public:
    // Every entry starts at (position, angle) with down-flag 0; the parent gains a reference.
    ZTJoint(int length, KVector position, float angle, ZTJoint* parent);
    // Releases the parent, so a chain is released from its far end towards the tank.
    ~ZTJoint() override;

    // Shifts every entry one place towards the old end and stores the new values in entry 0.
    void push(KVector position, float angle, uint8_t down);

    const KVector& oldestPosition() const { return positions[length - 1]; }
    float oldestAngle() const { return angles[length - 1]; }

    void hash(KUHash& h) const;

    int length;
    KVector positions[ztJointMaxLength];
    float angles[ztJointMaxLength];
    uint8_t downFlags[4] = {0, 0, 0, 0};
    ZTJoint* parent;
};
