#include "pilot.h"

#include <cmath>
#include <vector>

#include "behave.h"
#include "creator.h"
#include "engine.h"
#include "input.h"
#include "objects/eshot.h"
#include "objects/ground_enemies.h"
#include "objects/player.h"
#include "objects/tail.h"
#include "work.h"

namespace {

constexpr int tankLayer = 5;

ZTPlayer* findTank() {
    for (KilnBehave* b = kbHead[tankLayer]; b; b = b->next)
        if (auto* p = dynamic_cast<ZTPlayer*>(b)) return p;
    return nullptr;
}

struct Obstacle {
    KVector position;
    KVector velocity;
    float reach; // centre distance below which the tank is hit
};

// The frame (1..steps) in which a tank holding `dir` would first be hit, or steps + 1 when it
// stays clear. The tank turns and rolls as it does in the game; shots fly straight, the rest
// stands.
int firstHit(const ZTPlayer& tank, float tx, float ty, const std::vector<Obstacle>& obstacles,
             int steps) {
    float a = tank.angle;
    KVector p = tank.position;
    for (int k = 1; k <= steps; ++k) {
        const float cx = -std::sin(a), cy = std::cos(a);
        if (cx * tx + cy * ty < 0.999f) a += (cx * ty - cy * tx <= 0.0f) ? -0.1308997f : 0.1308997f;
        p.x += -2.0f * std::sin(a);
        p.y += 2.0f * std::cos(a);
        if (p.x < 40.0f || p.x > 600.0f || p.y < 40.0f || p.y > 440.0f) return k;
        for (const Obstacle& o : obstacles) {
            const float ox = o.position.x + o.velocity.x * k - p.x;
            const float oy = o.position.y + o.velocity.y * k - p.y;
            if (ox * ox + oy * oy < o.reach * o.reach) return k;
        }
    }
    return steps + 1;
}

uint32_t steer(const ZTPlayer& tank, bool chase) {
    const KVector p = tank.position;
    const float hx = -std::sin(tank.angle), hy = std::cos(tank.angle);
    std::vector<Obstacle> obstacles;
    float best = 1e30f;
    KVector target{320.0f, 240.0f, 0.0f};
    int tailIndex = 0;
    for (int layer = 0; layer < kbLayerCount; ++layer)
        for (KilnBehave* b = kbHead[layer]; b; b = b->next) {
            if (const auto* e = dynamic_cast<ZTGroundEnemy*>(b)) {
                const float dx = e->position.x - p.x, dy = e->position.y - p.y;
                const float d = dx * dx + dy * dy;
                if (d < best) best = d, target = e->position;
                obstacles.push_back({e->position, {0.0f, 0.0f, 0.0f}, 6.0f + e->radius + 8.0f});
            } else if (const auto* s = dynamic_cast<ZTEShot*>(b)) {
                obstacles.push_back({s->position, s->velocity, 6.0f + s->radius + 6.0f});
            } else if (const auto* t = dynamic_cast<ZTTail*>(b)) {
                // The piece right behind the tank cannot be reached by rolling forward.
                if (tailIndex++ > 0) obstacles.push_back({t->position, {0.0f, 0.0f, 0.0f}, 20.0f});
            }
        }

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
    uint32_t chosen = 0;
    float chosenScore = -1e30f;
    for (int i = 0; i < 8; ++i) {
        // A wish to reverse is refused: the tank keeps the course it had.
        if (hx * vx[i] + hy * vy[i] <= -0.8660254f) continue;
        const int hit = firstHit(tank, vx[i], vy[i], obstacles, 40);
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
    const ZTPlayer* tank = findTank();
    if (!tank || tank->state != 1) {
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
