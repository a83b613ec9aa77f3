#pragma once
// The flying boss: a body on four rotors with three small turrets along its axis. It enters from
// above, keeps its distance from the player, is pushed back from the edges, returns to the middle
// when it has strayed too often, and fires its turrets in turn. It has no body that hurts on
// contact, and its fall neither scorches the ground nor lengthens the tail.
#include <cstdint>

#include "ground.h"
#include "hit.h"

class ZTBossGyro : public ZTGround, public KNDamaged {
public:
    ZTBossGyro();

    bool kbMove() override;
    void kbDraw() override;
    void kbDrawShadow(int pass) override;
    void kbHash(KUHash& hash) const override;
    void knBegin() override { damage = 0; }
    void knEnd() override {}
    bool knCheck(KNDamager* damager) override;

    KVector position{320.0f, -32.0f, 0.0f};
    KVector velocity{0.0f, 0.0f, 0.0f};
    float bodyAngle = 0.0f;
    float rotorPhase = 0.0f;
    KVector turretPositions[3];
    float turretAngles[3] = {0.0f, 0.0f, 0.0f};
    int32_t phase = 0; // 0 start, 1 entry, 2 combat, 3 return to the middle
    int32_t fireTimer = 0;
    int32_t shotCounter = 0;
    int32_t strayCounter = 0;
    int32_t life;
    int32_t damage = 0;

private:
    void steer();
    void placeTurrets();
    void fire(int turret);
};
