#pragma once
// The great gun emplacement in the middle of the field: one of the ground-enemy family, with a
// turret that tracks the player and two attacks in turn, slow seven-way fans and a long fast
// stream that bends after a moving player.
#include <cstdint>

#include "ground_enemies.h"

class ZTBossLC : public ZTGroundEnemy {
public:
    explicit ZTBossLC(KVector position);

    bool kbMove() override;
    void kbDraw() override;
    void kbHash(KUHash& hash) const override;

    int32_t phase = 0; // 0 start of a cycle, 1 fans, 2 pause, 3 stream
    int32_t timer = 0;
    int32_t count = 0;

private:
    // Counts a frame of the phase and gives the count from before it, which the phases test.
    int32_t tick() { return timer++; }
    void fireFan();
    void fireStream();
};
