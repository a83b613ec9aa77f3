#pragma once
// Picks out the enemy shots made in the last frame. Shots are made by layers that move before
// the shots' own layer, which is the only place a shot is deleted, so an address seen after one
// frame and not after the frame before always belongs to a new shot.
#include <cmath>
#include <set>
#include <vector>

#include "behave.h"
#include "objects/eshot.h"
#include "objects/layers.h"

class ShotWatch {
public:
    // Call after every frame; returns the shots that were not there after the previous call.
    std::vector<ZTEShot*> fresh() {
        std::vector<ZTEShot*> made;
        std::set<const KilnBehave*> now;
        for (KilnBehave* b = kbHead[ZT_LAYER_ENEMY_SHOTS]; b; b = b->next) {
            now.insert(b);
            if (auto* shot = dynamic_cast<ZTEShot*>(b); shot && !seen.count(b))
                made.push_back(shot);
        }
        seen.swap(now);
        return made;
    }

private:
    std::set<const KilnBehave*> seen;
};

// The heading a shot was fired along, from its velocity.
inline float shotAngle(const ZTEShot* shot) {
    return static_cast<float>(
        std::atan2(-static_cast<double>(shot->velocity.x), static_cast<double>(shot->velocity.y)));
}

// The difference of two angles folded into -pi..pi.
inline float angleGap(float a, float b) {
    return static_cast<float>(std::remainder(static_cast<double>(a) - b, 2.0 * kmPi));
}
