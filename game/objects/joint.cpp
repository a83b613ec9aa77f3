#include "joint.h"

#include <algorithm>
#include <cstring>

ZTJoint::ZTJoint(int length, KVector position, float angle, ZTJoint* parent)
    : length(std::clamp(length, 1, ztJointMaxLength)), parent(parent) {
    for (int i = 0; i < ztJointMaxLength; ++i) {
        positions[i] = position;
        angles[i] = angle;
    }
    ksAddRef(parent);
}

ZTJoint::~ZTJoint() {
    ksRelease(parent);
}

void ZTJoint::push(KVector position, float angle, uint8_t down) {
    std::memmove(&positions[1], &positions[0], sizeof(KVector) * (length - 1));
    std::memmove(&angles[1], &angles[0], sizeof(float) * (length - 1));
    downFlags[3] = downFlags[2];
    downFlags[2] = downFlags[1];
    downFlags[1] = downFlags[0];
    positions[0] = position;
    angles[0] = angle;
    downFlags[0] = down;
}

void ZTJoint::hash(KUHash& h) const {
    h.add(static_cast<int32_t>(length));
    for (int i = 0; i < length; ++i) h.add(positions[i]), h.add(angles[i]);
    h.bytes(downFlags, sizeof downFlags);
}
