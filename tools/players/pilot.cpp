#include "pilot.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <vector>

#include "behave.h"
#include "creator.h"
#include "engine.h"
#include "field_look.h"
#include "input.h"
#include "objects/bounds.h"
#include "objects/eshot.h"
#include "objects/ground_enemies.h"
#include "objects/layers.h"
#include "objects/player.h"
#include "objects/tail.h"
#include "work.h"

namespace {

struct Obstacle {
    KVector position;
    KVector velocity;
    float reach; // centre distance below which the tank is hit
    int soonest; // the first step in which it could be near enough at all
};

constexpr int lookSteps = 40;

// Four obstacles side by side, tested together with the same steps as one at a time.
typedef float Four __attribute__((vector_size(16)));
typedef int32_t FourMask __attribute__((vector_size(16)));
struct Group {
    Four x, y, vx, vy, reach2;
    int soonest; // of its first, the soonest of the four
};

// Sorted by their soonest step, four to a group; the last group is filled up with obstacles
// that stand far off and never hit.
void group(const std::vector<Obstacle>& obstacles, std::vector<Group>& groups) {
    groups.clear();
    for (size_t i = 0; i < obstacles.size(); i += 4) {
        float f[5][4];
        for (size_t l = 0; l < 4; ++l) {
            const bool real = i + l < obstacles.size();
            const Obstacle& o = obstacles[real ? i + l : i];
            f[0][l] = real ? o.position.x : 1e9f;
            f[1][l] = real ? o.position.y : 1e9f;
            f[2][l] = real ? o.velocity.x : 0.0f;
            f[3][l] = real ? o.velocity.y : 0.0f;
            f[4][l] = real ? o.reach * o.reach : 0.0f;
        }
        Group g{};
        std::memcpy(&g.x, f[0], sizeof g.x);
        std::memcpy(&g.y, f[1], sizeof g.y);
        std::memcpy(&g.vx, f[2], sizeof g.vx);
        std::memcpy(&g.vy, f[3], sizeof g.vy);
        std::memcpy(&g.reach2, f[4], sizeof g.reach2);
        g.soonest = obstacles[i].soonest;
        groups.push_back(g);
    }
}

// The frame (1..steps) in which a tank holding `dir` would first be hit, or steps + 1 when it
// stays clear. The tank turns and rolls as it does in the game; shots fly straight, the rest
// stands. An obstacle is not tested before its soonest step, which changes no answer; nor
// does testing one of a group early.
// The angles a tank passes while it turns one way from its heading on, with their sines and
// cosines: every direction that turns that way passes the same ones, so they are worked out
// once a decision.
struct Turning {
    float angle[2][lookSteps + 1], sine[2][lookSteps + 1], cosine[2][lookSteps + 1];
    int known[2] = {0, 0};
};

int firstHit(const ZTPlayer& tank, float tx, float ty, const std::vector<Group>& groups,
             Turning& turning, int steps) {
    float a = tank.angle;
    float sa = std::sin(a), ca = std::cos(a);
    KVector p = tank.position;
    size_t near = 0;
    int way = -1, turns = 0; // the way turned so far (0 right, 1 left) and how often
    for (int k = 1; k <= steps; ++k) {
        const float cx = -sa, cy = ca;
        if (cx * tx + cy * ty < 0.999f) {
            const bool right = cx * ty - cy * tx <= 0.0f;
            const int now = right ? 0 : 1;
            if (way == -1) way = now;
            if (way == now && turns < lookSteps) {
                turns += 1;
                if (turns <= turning.known[way]) {
                    a = turning.angle[way][turns];
                    sa = turning.sine[way][turns], ca = turning.cosine[way][turns];
                } else {
                    a += right ? -0.1308997f : 0.1308997f;
                    sa = std::sin(a), ca = std::cos(a);
                    turning.angle[way][turns] = a;
                    turning.sine[way][turns] = sa, turning.cosine[way][turns] = ca;
                    turning.known[way] = turns;
                }
            } else {
                // Turning back: off the shared course for good.
                way = 2;
                a += right ? -0.1308997f : 0.1308997f;
                sa = std::sin(a), ca = std::cos(a);
            }
        }
        p.x += -2.0f * sa;
        p.y += 2.0f * ca;
        // Closer to the wall than this is as good as a hit.
        constexpr float margin = 8.0f;
        if (p.x < ztFieldLeft + margin || p.x > ztFieldRight - margin ||
            p.y < ztFieldTop + margin || p.y > ztFieldBottom - margin)
            return k;
        while (near < groups.size() && groups[near].soonest <= k) near += 1;
        const float kf = static_cast<float>(k);
        FourMask hit{};
        for (size_t i = 0; i < near; ++i) {
            const Group& g = groups[i];
            const Four ox = g.x + g.vx * kf - p.x;
            const Four oy = g.y + g.vy * kf - p.y;
            hit |= ox * ox + oy * oy < g.reach2;
        }
        int32_t lanes[4];
        std::memcpy(lanes, &hit, sizeof lanes);
        if (lanes[0] | lanes[1] | lanes[2] | lanes[3]) return k;
    }
    return steps + 1;
}

// The tank rolls 2 a frame and an obstacle at most its own speed, so the two close in by no
// more than their sum each frame; the spare pixel keeps rounding on the safe side.
void addObstacle(std::vector<Obstacle>& obstacles, const KVector& tank, const KVector& at,
                 const KVector& velocity, float reach) {
    const double dx = at.x - tank.x, dy = at.y - tank.y;
    const double vv = double{velocity.x} * velocity.x + double{velocity.y} * velocity.y;
    const double closing = vv == 0.0 ? 2.0 : 2.0 + std::sqrt(vv);
    const double far = closing * lookSteps + reach + 1.0;
    const double dd = dx * dx + dy * dy;
    if (dd > far * far) return;
    const double gap = std::sqrt(dd) - reach - 1.0;
    const int soonest = gap <= 0.0 ? 0 : static_cast<int>(gap / closing);
    obstacles.push_back({at, velocity, reach, soonest});
}

// The obstacles near the tank, sorted by their soonest step, four to a group; and the nearest
// enemy, or the middle of the field when none is left.
KVector lookAround(const KVector& p, std::vector<Group>& groups) {
    static std::vector<Obstacle> obstacles;
    obstacles.clear();
    float best = 1e30f;
    KVector target{320.0f, 240.0f, 0.0f};
    int tailIndex = 0;
    const KVector still{0.0f, 0.0f, 0.0f};
    // Each layer holds one kind of the things looked at, so one test an object.
    ztEachObject<const ZTGroundEnemy>(ZT_LAYER_GROUND, [&](const ZTGroundEnemy& e) {
        const float dx = e.position.x - p.x, dy = e.position.y - p.y;
        const float d = dx * dx + dy * dy;
        if (d < best) best = d, target = e.position;
        addObstacle(obstacles, p, e.position, still, 6.0f + e.radius + 8.0f);
    });
    ztEachObject<const ZTTail>(ZT_LAYER_TANK, [&](const ZTTail& t) {
        // The piece right behind the tank cannot be reached by rolling forward.
        if (tailIndex++ > 0) addObstacle(obstacles, p, t.position, still, 20.0f);
    });
    ztEachObject<const ZTEShot>(ZT_LAYER_ENEMY_SHOTS, [&](const ZTEShot& s) {
        addObstacle(obstacles, p, s.position, s.velocity, 6.0f + s.radius + 6.0f);
    });
    std::stable_sort(obstacles.begin(), obstacles.end(),
                     [](const Obstacle& x, const Obstacle& y) { return x.soonest < y.soonest; });
    group(obstacles, groups);
    return target;
}

uint32_t steer(const ZTPlayer& tank, bool chase) {
    const KVector p = tank.position;
    const float hx = -std::sin(tank.angle), hy = std::cos(tank.angle);
    static std::vector<Group> groups;
    const KVector target = lookAround(p, groups);

    // Where the tank would like to go: at the nearest enemy from afar, around it up close (the
    // guns face forward).
    const float dx = target.x - p.x, dy = target.y - p.y;
    const float d = std::sqrt(dx * dx + dy * dy) + 0.001f;
    float wx, wy;
    if (!chase) {
        // Round the middle of the field, well away from the enemies.
        const float cx = 320.0f - p.x, cy = 240.0f - p.y;
        const float r = std::sqrt(cx * cx + cy * cy) + 0.001f;
        wx = -cy / r + (r > 120.0f ? cx / r : 0.0f), wy = cx / r + (r > 120.0f ? cy / r : 0.0f);
    } else if (d > 140.0f) {
        wx = dx / d, wy = dy / d;
    } else {
        const float side = (hx * -dy + hy * dx) >= 0.0f ? 1.0f : -1.0f;
        wx = -dy / d * side, wy = dx / d * side;
    }

    static constexpr uint32_t dirs[8] = {KI_RIGHT, KI_RIGHT | KI_DOWN, KI_DOWN, KI_DOWN | KI_LEFT,
                                         KI_LEFT,  KI_LEFT | KI_UP,    KI_UP,   KI_UP | KI_RIGHT};
    constexpr float s = 0.7071068f;
    static constexpr float vx[8] = {1.0f, s, 0.0f, -s, -1.0f, -s, 0.0f, s};
    static constexpr float vy[8] = {0.0f, s, 1.0f, s, 0.0f, -s, -1.0f, -s};
    Turning turning;
    uint32_t chosen = 0;
    float chosenScore = -1e30f;
    for (int i = 0; i < 8; ++i) {
        // A wish to reverse is refused: the tank keeps the course it had.
        if (hx * vx[i] + hy * vy[i] <= -0.8660254f) continue;
        const int hit = firstHit(tank, vx[i], vy[i], groups, turning, lookSteps);
        const float score = static_cast<float>(hit) * 10.0f + (vx[i] * wx + vy[i] * wy);
        if (score > chosenScore) chosenScore = score, chosen = dirs[i];
    }
    return chosen;
}

} // namespace

uint32_t ZTPilot::next() {
    frame += 1;
    switch (keSceneNumber) {
    case ZT_SCENE_KAIWA:
        // One push every few frames turns each page once its text is out.
        return frame % 12 == 0 ? uint32_t{KI_BUTTON1} : 0u;
    case ZT_SCENE_GAME:
        break;
    default:
        driving = 0;
        return 0;
    }
    const ZTPlayer* tank = ztTank();
    if (!tank || tank->state != ZT_TANK_DRIVING) {
        driving = 0;
        return 0;
    }
    driving += 1;
    const int field = gWork->field;
    const bool giveUp =
        (giveUpField > 0 && field >= giveUpField) || (giveUpFrame > 0 && frame >= giveUpFrame);
    const bool plannedMiss = field == missOnField && missedOn != field && driving > 240;
    if (plannedMiss) {
        missedOn = field;
        return KI_BUTTON3;
    }
    // Push, release, push: a held button is pushed only once.
    if (giveUp) return driving % 2 != 0 ? uint32_t{KI_BUTTON3} : 0u;
    if (frame < waitUntil) return steer(*tank, false);
    return KI_BUTTON1 | steer(*tank, true);
}
