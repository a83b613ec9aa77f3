#include "model_player.h"

#include <algorithm>
#include <cmath>

#include "behave.h"
#include "creator.h"
#include "engine.h"
#include "field_look.h"
#include "input.h"
#include "objects/boss_gyro.h"
#include "objects/bounds.h"
#include "objects/eshot.h"
#include "objects/ground_enemies.h"
#include "objects/player.h"
#include "objects/tail.h"

namespace {

constexpr uint32_t dirs[8] = {KI_RIGHT, KI_RIGHT | KI_DOWN, KI_DOWN, KI_DOWN | KI_LEFT,
                              KI_LEFT,  KI_LEFT | KI_UP,    KI_UP,   KI_UP | KI_RIGHT};
constexpr float s2 = 0.7071068f;
// A person steers a little way clear of the wall, not to the pixel where it destroys the tank.
constexpr float left = ztFieldLeft + 8.0f, right = ztFieldRight - 8.0f;
constexpr float top = ztFieldTop + 8.0f, bottom = ztFieldBottom - 8.0f;
constexpr float vx[8] = {1.0f, s2, 0.0f, -s2, -1.0f, -s2, 0.0f, s2};
constexpr float vy[8] = {0.0f, s2, 1.0f, s2, 0.0f, -s2, -1.0f, -s2};

// The heading a held word asks for; (0, 0) when it holds no direction.
void wanted(uint32_t word, float& x, float& y) {
    x = y = 0.0f;
    for (int i = 0; i < 8; ++i)
        if ((word & (KI_UP | KI_DOWN | KI_LEFT | KI_RIGHT)) == dirs[i]) x = vx[i], y = vy[i];
}

// One frame of the tank as the player pictures it: turn towards the wish, roll on.
void roll(KVector& p, float& a, float tx, float ty) {
    const float cx = -std::sin(a), cy = std::cos(a);
    if ((tx != 0.0f || ty != 0.0f) && cx * tx + cy * ty < 0.999f)
        a += (cx * ty - cy * tx <= 0.0f) ? -0.1308997f : 0.1308997f;
    p.x += -2.0f * std::sin(a);
    p.y += 2.0f * std::cos(a);
}

} // namespace

ZTModelPlayer::ZTModelPlayer(uint64_t seed, ZTModelSkill skill_)
    : skill(skill_), state(seed * 0x9E3779B97F4A7C15ull + 0x632BE59BD9B4E019ull) {}

float ZTModelPlayer::uniform() {
    // splitmix64: the player's own numbers, never the game's.
    state += 0x9E3779B97F4A7C15ull;
    uint64_t z = state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    z ^= z >> 31;
    return static_cast<float>((z >> 40) + 0.5) / 16777216.0f;
}

float ZTModelPlayer::gauss() {
    const float u = uniform(), v = uniform();
    return std::sqrt(-2.0f * std::log(u)) * std::cos(6.2831853f * v);
}

ZTModelPlayer::Screen ZTModelPlayer::look() const {
    Screen s;
    if (keSceneNumber != ZT_SCENE_GAME) return s;
    // Each kind keeps to its one layer; taken in layer order the things come in the order the
    // screen lists them.
    ztEachObject<const ZTGroundEnemy>(ZT_LAYER_GROUND, [&s](const ZTGroundEnemy& e) {
        s.things.push_back({e.position, {0, 0, 0}, 6.0f + e.radius + 6.0f, true});
        // Where its gun points a shot may come from at any moment: a person keeps out of the
        // line of fire, picturing a shot leaving now and one a little later.
        const KVector h = kmHeading(e.angle);
        for (float lag : {0.0f, 8.0f, 16.0f})
            s.things.push_back({{e.position.x + h.x * (16.0f - 2.0f * lag),
                                 e.position.y + h.y * (16.0f - 2.0f * lag), 0.0f},
                                {h.x * 2.0f, h.y * 2.0f, 0.0f},
                                14.0f,
                                false});
    });
    if (const ZTPlayer* p = ztTank()) {
        // The buttons are pressed already while the tank rolls in.
        s.driving = p->state != ZT_TANK_DESTROYED;
        s.tank = p->position;
        s.angle = p->angle;
    }
    ztEachObject<const ZTTail>(ZT_LAYER_TANK, [&s](const ZTTail& t) {
        s.joints += 1;
        // The charge mark shows on an armed joint that enemy fire has charged.
        if (t.counterState == ZT_COUNTER_CHARGED && t.charge != 0 && !t.down &&
            t.position.y <= 464.0f)
            s.charged.push_back({t.position, t.angle});
    });
    ztEachObject<const ZTBossGyro>(ZT_LAYER_AIR, [&s](const ZTBossGyro& g) {
        s.things.push_back({g.position, {0, 0, 0}, 0.0f, true, true});
    });
    ztEachObject<const ZTEShot>(ZT_LAYER_ENEMY_SHOTS, [&s](const ZTEShot& sh) {
        s.things.push_back({sh.position, sh.velocity, 6.0f + sh.radius + 8.0f, false});
    });
    return s;
}

uint32_t ZTModelPlayer::next() {
    const size_t span = static_cast<size_t>(skill.reaction) + 1;
    if (memory.size() < span) memory.resize(span);
    memory[static_cast<size_t>(frame) % span] = look();
    const Screen& latest = memory[static_cast<size_t>(frame) % span];
    if (latest.driving) {
        trail.push_back(latest.tank);
        if (trail.size() > 2048) trail.erase(trail.begin(), trail.begin() + 1024);
    } else {
        trail.clear();
    }
    frame += 1;
    // The screen of `reaction` frames ago is the oldest one kept.
    const Screen& seen = memory[static_cast<size_t>(frame) % span];
    if (frame % skill.decideEvery == 0) held = seen.driving ? decide(seen) : 0u;
    memory[static_cast<size_t>(frame - 1) % span].pressed = held;
    return KI_BUTTON1 | held;
}

bool ZTModelPlayer::burstAim(const Screen& seen, const std::vector<Thing>& things, KVector tank,
                             KVector& aimAt) {
    int most = 0;
    float nearest = 1e30f;
    for (const Charged& c : seen.charged) {
        const float jx = c.position.x + gauss() * skill.seeNoise;
        const float jy = c.position.y + gauss() * skill.seeNoise;
        const float tx = tank.x - jx, ty = tank.y - jy;
        const float d = std::sqrt(tx * tx + ty * ty);
        // Near enough for a shot to get there, not so near that the tank runs into its tail.
        if (d < 48.0f || d > 200.0f) continue;
        const float sx = std::cos(c.angle), sy = std::sin(c.angle);
        const float across = sx * tx + sy * ty;
        // A shot along the tail would end on the joints before it.
        if (std::fabs(across) < 0.5f * d) continue;
        // The burst leaves on the side away from the shot, as far as its bolts fly.
        const float bx = across <= 0.0f ? sx : -sx, by = across <= 0.0f ? sy : -sy;
        int hits = 0;
        for (const Thing& t : things) {
            if (!t.target) continue;
            const float ex = t.position.x - jx, ey = t.position.y - jy;
            const float along = ex * bx + ey * by, side = std::fabs(ex * by - ey * bx);
            hits += along > 0.0f && along < 200.0f && side < 64.0f;
        }
        if (hits > most || (hits == most && hits > 0 && d < nearest)) {
            most = hits, nearest = d;
            aimAt = {jx, jy, 0.0f};
        }
    }
    return most > 0;
}

uint32_t ZTModelPlayer::decide(const Screen& seen) {
    // What the player sees: every position a little off.
    std::vector<Thing> things = seen.things;
    for (Thing& t : things) {
        t.position.x += gauss() * skill.seeNoise;
        t.position.y += gauss() * skill.seeNoise;
    }
    // The tail as it lay then: along the road driven, from the piece right behind on. The
    // tank was not yet driving when the road starts at its first seen point.
    const int seenAt = static_cast<int>(trail.size()) - 1 - skill.reaction;
    const int length = 15 * (seen.joints + 1);
    for (int k = 24; k < length && seenAt - k >= 0; k += 3)
        things.push_back({trail[static_cast<size_t>(seenAt - k)], {0, 0, 0}, 16.0f, false});
    // Where the tank is by now, as the player reckons it from the buttons held since.
    KVector p = seen.tank;
    float a = seen.angle;
    const size_t span = memory.size();
    for (int k = 0; k < skill.reaction; ++k) {
        float hx, hy;
        const int slot = frame - 1 - skill.reaction + k + static_cast<int>(span);
        wanted(memory[static_cast<size_t>(slot) % span].pressed, hx, hy);
        roll(p, a, hx, hy);
    }
    // The target: the nearest enemy; the wish is to face it, give or take the aim's spread.
    float best = 1e30f;
    KVector target{320.0f, 240.0f, 0.0f};
    bool flyer = false;
    for (const Thing& t : things) {
        if (!t.target) continue;
        const float dx = t.position.x - seen.tank.x, dy = t.position.y - seen.tank.y;
        if (dx * dx + dy * dy < best)
            best = dx * dx + dy * dy, target = t.position, flyer = t.flyer;
    }
    // Up close the guns have done their work: drive on past and come round again from afar,
    // in a wide loop that keeps off the tail.
    const float dist = std::sqrt(best);
    if (dist < 80.0f) passing = true;
    if (dist > 170.0f) passing = false;
    float aim = std::atan2(target.y - seen.tank.y, target.x - seen.tank.x);
    if (passing) aim = std::atan2(std::cos(seen.angle), -std::sin(seen.angle));
    if (flyer) {
        // Its shots are aimed and fast: never come at it head on, cross its line of fire.
        passing = false;
        // It weaves, two seconds to each side, so that its road never closes round it, and
        // swings wider the closer it has come.
        const float off = std::clamp(1.2f + (170.0f - dist) * 0.015f, 0.3f, 2.0f);
        aim += (frame / 120) % 2 ? off : -off;
    }
    // A charged joint with enemies beyond it is worth more than any one of them: turn and
    // shoot the joint, and its burst sweeps them.
    KVector joint;
    if (burstAim(seen, things, p, joint)) aim = std::atan2(joint.y - p.y, joint.x - p.x);
    aim += gauss() * skill.aimNoise;
    const float wx = std::cos(aim), wy = std::sin(aim);

    const float fx = -std::sin(a), fy = std::cos(a);
    int chosen = -1;
    float chosenScore = -1e30f;
    for (int i = 0; i < 8; ++i) {
        if (fx * vx[i] + fy * vy[i] <= -0.8660254f) continue; // a reversal is refused
        KVector q = p;
        float b = a;
        int hit = skill.lookahead + 1;
        float unease = 0.0f; // a person keeps clear of things, not only out of them
        for (int k = 1; k <= skill.lookahead && hit > skill.lookahead; ++k) {
            roll(q, b, vx[i], vy[i]);
            if (q.x < left || q.x > right || q.y < top || q.y > bottom) hit = k;
            const float ahead = static_cast<float>(skill.reaction + k);
            for (const Thing& t : things) {
                const float ox = t.position.x + t.velocity.x * ahead - q.x;
                const float oy = t.position.y + t.velocity.y * ahead - q.y;
                const float d2 = ox * ox + oy * oy;
                if (d2 < t.reach * t.reach) hit = k;
                // Near an enemy its next shot, not yet seen, is the danger.
                const float room = t.reach + (t.target ? 48.0f : 16.0f);
                if (t.reach > 0.0f && d2 < room * room) unease += (room - std::sqrt(d2)) / 16.0f;
            }
        }
        // Heading for a wall that is near is felt without working it out.
        const float qx = -std::sin(b), qy = std::cos(b);
        const float walls[4][3] = {
            {q.x - left, -qx, 0}, {right - q.x, qx, 0}, {q.y - top, -qy, 0}, {bottom - q.y, qy, 0}};
        for (const auto& w : walls)
            if (w[0] < 128.0f) unease += (128.0f - w[0]) / 4.0f * std::max(0.0f, w[1] + 0.3f);
        const float score =
            static_cast<float>(hit) * 10.0f + (vx[i] * wx + vy[i] * wy) * 2.0f - unease;
        if (score > chosenScore) chosenScore = score, chosen = i;
    }
    if (chosen < 0) return held & (KI_UP | KI_DOWN | KI_LEFT | KI_RIGHT);
    if (uniform() < skill.slip) chosen = (chosen + (uniform() < 0.5f ? 1 : 7)) % 8;
    return dirs[chosen];
}
