#include "boss_gyro.h"

#include "effects.h"
#include "eshot.h"
#include "layers.h"
#include "sound.h"
#include "sprite.h"
#include "work.h"

namespace {

constexpr KVector turretOffsets[3] = {
    {0.0f, -34.0f, 0.0f}, {0.0f, -7.0f, 0.0f}, {0.0f, 14.0f, 0.0f}};

struct Rotor {
    KVector offset;
    float spin;
    float phaseOffset;
};
// Opposite rotors spin opposite ways, and the right pair runs half a turn behind the left.
constexpr Rotor rotors[4] = {
    {{-51.0f, -50.0f, 0.0f}, 1.0f, 0.0f},
    {{-51.0f, 44.0f, 0.0f}, -1.0f, 0.0f},
    {{51.0f, -50.0f, 0.0f}, -1.0f, kmPiF},
    {{51.0f, 44.0f, 0.0f}, 1.0f, kmPiF},
};

constexpr float thrust = 0.125f;
constexpr KVector middle{320.0f, 240.0f, 0.0f};

// The turning rule every aimed part uses: the sine of the error times the rate.
float turn(float angle, KVector from, float rate) {
    const KVector d = kmNormalize(gWork->playerPos - from);
    return angle + rate * (-kmSin(angle) * d.y - kmCos(angle) * d.x);
}

} // namespace

ZTBossGyro::ZTBossGyro() : ZTGround(ZT_LAYER_AIR), KNDamaged(1), life(200 * gWork->tail + 128) {
    active = 1;
    knBound(&position, 48.0f);
    placeTurrets();
}

bool ZTBossGyro::knCheck(KNDamager* damager) {
    if (!knWithin(damager, position, 48.0f)) return false;
    damage += damager->power;
    return true;
}

bool ZTBossGyro::kbMove() {
    if (damage != 0) {
        life -= damage;
        if (life <= 0) {
            new ZTBaku(position, 2.0f, 16);
            new ZTRate(position, damage);
            kwPlay(3);
            gWork->addScore(static_cast<uint32_t>(damage) * 200u);
            return false;
        }
    }
    steer();
    bodyAngle = turn(bodyAngle, position, 0.015625f);
    velocity -= 0.041666668f * velocity;
    position += velocity;
    rotorPhase += 0.2617994f;
    placeTurrets();
    for (int i = 0; i < 3; ++i)
        turretAngles[i] = turn(turretAngles[i], turretPositions[i], 0.083333336f);

    fireTimer += 1;
    if (fireTimer >= 32 && fireTimer % 4 == 0) {
        fire(shotCounter % 3);
        shotCounter += 1;
    }
    if (fireTimer > 52) fireTimer = 0;
    return true;
}

void ZTBossGyro::steer() {
    switch (phase) {
    case 0:
        phase = 1;
        [[fallthrough]];
    case 1:
        // Entry: drop straight in from above the top edge.
        velocity.y += thrust;
        if (position.y > 80.0f) phase = 2;
        break;
    case 2: {
        const float d = kmDistance(position, gWork->playerPos);
        const KVector facing = kmHeading(bodyAngle);
        if (d > 180.0f)
            velocity += thrust * facing;
        else if (d < 160.0f)
            velocity += -0.0625f * facing;
        // Each edge pushes on its own and counts; the count never goes down, so after enough
        // brushes with the edges the boss flies back to the middle.
        auto push = [this](float& axis, float by) {
            axis += by;
            strayCounter += 1;
        };
        if (position.x < 64.0f) push(velocity.x, thrust);
        if (position.x > 576.0f) push(velocity.x, -thrust);
        if (position.y < 64.0f) push(velocity.y, thrust);
        if (position.y > 416.0f) push(velocity.y, -thrust);
        if (strayCounter > 64) {
            strayCounter = 0;
            phase = 3;
        }
        break;
    }
    case 3:
        if (kmDistance(position, middle) > 128.0f)
            velocity += thrust * kmNormalize(middle - position);
        else
            phase = 2;
        break;
    default:
        break;
    }
}

void ZTBossGyro::placeTurrets() {
    const KCMatrix r(bodyAngle);
    for (int i = 0; i < 3; ++i) turretPositions[i] = position + r.apply(turretOffsets[i]);
}

void ZTBossGyro::fire(int turret) {
    const float a = turretAngles[turret];
    const KVector muzzle = turretPositions[turret] + KCMatrix(a).apply({0.0f, 5.0f, 0.0f});
    new ZTEShot(muzzle, a, 4.0f, 0);
    new ZTEShotBlast(muzzle, 0.75f);
}

void ZTBossGyro::kbDraw() {
    gSprite->kspPut(100, position.x, position.y, bodyAngle, 1.0f, 1.0f, 0xFFFFFFFF);
    for (int i = 0; i < 3; ++i)
        gSprite->kspPut(102, turretPositions[i].x, turretPositions[i].y, turretAngles[i], 1.0f,
                        1.0f, 0xFFFFFFFF);
    const KCMatrix r(bodyAngle);
    for (const Rotor& rotor : rotors) {
        const KVector at = position + r.apply(rotor.offset);
        gSprite->kspPut(101, at.x, at.y, rotorPhase * rotor.spin + rotor.phaseOffset, 1.0f, 1.0f,
                        0xFFFFFFFF);
    }
}

void ZTBossGyro::kbDrawShadow(int pass) {
    (void)pass;
    // The boss flies high: its shadow falls far off, and the thin rotor discs barely darken.
    gSprite->kspPut(100, position.x + 24.0f, position.y + 24.0f, bodyAngle, 1.0f, 1.0f, 0x60000000);
    const KCMatrix r(bodyAngle);
    for (const Rotor& rotor : rotors) {
        const KVector at = position + r.apply(rotor.offset);
        gSprite->kspPut(101, at.x + 24.0f, at.y + 24.0f,
                        rotorPhase * rotor.spin + rotor.phaseOffset, 1.0f, 1.0f, 0x10000000);
    }
}

void ZTBossGyro::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(velocity), hash.add(bodyAngle), hash.add(rotorPhase);
    for (int i = 0; i < 3; ++i) hash.add(turretPositions[i]), hash.add(turretAngles[i]);
    hash.add(phase), hash.add(fireTimer), hash.add(shotCounter), hash.add(strayCounter);
    hash.add(life), hash.add(damage);
}
