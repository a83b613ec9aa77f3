#include "evaluation.h"

#include <algorithm>
#include <cmath>

#include "behave.h"
#include "engine.h"
#include "field_look.h"
#include "frame.h"
#include "input.h"
#include "objects/boss_gyro.h"
#include "objects/bounds.h"
#include "objects/ground_enemies.h"
#include "objects/layers.h"
#include "objects/player.h"
#include "objects/tail.h"
#include "pilot.h"
#include "platform/headless/headless.h"
#include "scenes/game.h"
#include "work.h"

namespace {

int bossLife() {
    const ZTBossGyro* g = ztFirstObject<ZTBossGyro>(ZT_LAYER_AIR);
    return g ? g->life : 0;
}

// How well the tank stands towards its next target: near it and facing it (the guns face
// forward), not pressed against the wall.
double standing(const ZTPlayer& tank) {
    const KVector p = tank.position;
    float best = 1e30f;
    KVector target{320.0f, 240.0f, 0.0f};
    auto consider = [&](KVector at) {
        const float dx = at.x - p.x, dy = at.y - p.y;
        if (dx * dx + dy * dy < best) best = dx * dx + dy * dy, target = at;
    };
    // The ground first, then the flying boss: on a tie the earlier one stays the target.
    ztEachObject<const ZTGroundEnemy>(ZT_LAYER_GROUND,
                                      [&](const ZTGroundEnemy& e) { consider(e.position); });
    ztEachObject<const ZTBossGyro>(ZT_LAYER_AIR,
                                   [&](const ZTBossGyro& g) { consider(g.position); });
    const double dx = target.x - p.x, dy = target.y - p.y;
    const double d = std::sqrt(dx * dx + dy * dy) + 0.001;
    const double facing = (-std::sin(tank.angle) * dx + std::cos(tank.angle) * dy) / d;
    const double edge = std::min({p.x - double{ztFieldLeft}, double{ztFieldRight} - p.x,
                                  p.y - double{ztFieldTop}, double{ztFieldBottom} - p.y});
    return -d * 2.0 + facing * 150.0 - (edge < 48.0 ? (48.0 - edge) * 20.0 : 0.0);
}

// What the field gained since the try began, and how the tank stands now.
struct Start {
    int ground = gWork->groundCount;
    uint32_t score = gWork->score;
    int tail = gWork->tail;
    int boss = bossLife();
};

double gains(const Start& s) {
    double value = 3000.0 * (s.ground - gWork->groundCount);
    value += 1.0 * static_cast<double>(gWork->score - s.score);
    value += 300.0 * (gWork->tail - s.tail);
    value += 40.0 * (s.boss - bossLife());
    // A burst of the tail's counter shots under way is worth a great deal against a boss,
    // whose life grows with the tail; a charged joint is half-way there.
    ztEachObject<const ZTTail>(ZT_LAYER_TANK, [&value](const ZTTail& t) {
        value += t.counterState == ZT_COUNTER_FIRING    ? 1500.0
                 : t.counterState == ZT_COUNTER_CHARGED ? 100.0
                                                        : 0.0;
    });
    if (const ZTPlayer* tank = ztTank()) value += standing(*tank);
    return value;
}

} // namespace

double ztRollout(HeadlessPlatform& platform, uint32_t first, bool pilotOn, const ZTLook& look,
                 long& frames) {
    const Start start;
    ZTPilot pilot;
    const int total = look.segment + look.lookahead;
    uint32_t word = first;
    for (int k = 1; k <= total; ++k) {
        const int past = k - look.segment - 1;
        if (past >= 0 && pilotOn && past % look.pilotEvery == 0)
            word = pilot.next() & ~uint32_t{KI_BUTTON3};
        kiHoldWord(word | KI_BUTTON1, platform.input.keys);
        const ZTFrameResult r = ztFrameStep(false);
        frames += 1;
        const double kills = 3000.0 * (start.ground - gWork->groundCount);
        if (r.sceneMissing || r.quit) return -1e9;
        const EngineGame* field = ztLiveField();
        if (!field || ztFieldDone(field->state)) {
            // Cleared (or left the field, or over): the sooner the better, unless the tank is
            // down.
            if (currentGame && currentGame->playerDown) return -1e6 + k * 1000.0 + kills;
            return 1e7 - k * 100.0;
        }
        if (field->playerDown) return -1e6 + k * 1000.0 + kills;
    }
    return gains(start);
}
