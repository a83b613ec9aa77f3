#pragma once
// The player's tank: always rolling forward, steered toward the held direction at a fixed rate,
// two alternating guns, destroyed by the first touch of the enemy side or the border.
#include <cstdint>

#include "behave.h"
#include "hit.h"
#include "joint.h"
#include "pshot.h"

enum : uint32_t {
    ZT_PLAYER_HIT = 1u,    // set by the hit phase
    ZT_PLAYER_HIDDEN = 2u, // not drawn
    ZT_PLAYER_GONE = 4u,   // delete now
};

// The tank's course; the numbers are hashed with it.
enum ZTTankState : int32_t {
    ZT_TANK_NONE = -1,    // before its first frame
    ZT_TANK_ENTERING = 0, // rolls in through the gap in the bottom wall
    ZT_TANK_DRIVING = 1,
    ZT_TANK_DESTROYED = 2,
};

struct ZTHeading {
    bool steer; // false: no direction held, the target stays
    float x, y;
};

// Indexed by the direction bits of the held button word: up, down, left, right.
extern const ZTHeading headingTable[16];

class ZTPlayer : public KilnBehave, public KNDamaged {
public:
    ZTPlayer();
    ~ZTPlayer() override;

    bool kbMove() override;
    void kbDraw() override;
    void kbDrawShadow(int pass) override;
    void kbHash(KUHash& hash) const override;
    void knBegin() override { flags &= ~ZT_PLAYER_HIT; }
    void knEnd() override {}
    bool knCheck(KNDamager* damager) override;

    KVector position{320.0f, 464.0f, 0.0f};
    float angle = kmPiF;
    KVector targetDir;
    ZTTankState state = ZT_TANK_ENTERING;
    ZTTankState prevState = ZT_TANK_NONE;
    int stateFrames = 0;
    uint32_t flags = 0;
    int counter = 0;
    ZTJoint* headJoint;
    KVector guns[2] = {{16.0f, 0.0f, 0.0f}, {-16.0f, 0.0f, 0.0f}};
    int shotsFired = 0;
    int cooldown = 0;
    ZTPShotGrip* grip;

private:
    void enter(bool first);
    void drive();
    void destroyed();
    void fire(int gun);
    void putSprites(float dx, float dy, uint32_t colour) const;
};
