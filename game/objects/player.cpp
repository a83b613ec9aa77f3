#include "player.h"

#include "bounds.h"
#include "effects.h"
#include "input.h"
#include "layers.h"
#include "scenes/game.h"
#include "sound.h"
#include "sprite.h"
#include "tail.h"
#include "work.h"

namespace {
constexpr float s = 0.7071068f;
// Within about 2.5 degrees of the target counts as on course. Table headings are multiples of
// 45 degrees and each step is 7.5, so from a heading on that grid the tank lands exactly on it.
constexpr float onCourse = 0.9990234375f;
constexpr float turnStep = 0.1308997f;
// A wish to turn 150 degrees or more is a wish to reverse, which the tank refuses.
constexpr float reverseLimit = -0.8660254f;
} // namespace

const ZTHeading headingTable[16] = {
    {false, 0.0f, 0.0f}, {true, 0.0f, -1.0f}, {true, 0.0f, 1.0f},  {true, 0.0f, -1.0f},
    {true, -1.0f, 0.0f}, {true, -s, -s},      {true, -s, s},       {true, -1.0f, 0.0f},
    {true, 1.0f, 0.0f},  {true, s, -s},       {true, s, s},        {true, 0.0f, -1.0f},
    {true, -1.0f, 0.0f}, {true, 0.0f, -1.0f}, {true, -1.0f, 0.0f}, {true, 0.0f, -1.0f},
};

ZTPlayer::ZTPlayer()
    : KilnBehave(ZT_LAYER_TANK), KNDamaged(0), targetDir(kmHeading(kmPiF)), headJoint(nullptr),
      grip(nullptr) {
    active = 1;
    knBound(&position, 6.0f);
    gWork->playerPos = position;
    grip = new ZTPShotGrip();
    headJoint = new ZTJoint(ztJointMaxLength, position, angle, nullptr);
    new ZTTail(ZT_JOINT_PLAIN, 4, headJoint, false);
    for (int i = 0; i < gWork->tail; ++i)
        addTail((i & 1) == 0 ? ZT_JOINT_ARMED : ZT_JOINT_PLAIN, false);
}

ZTPlayer::~ZTPlayer() {
    ksRelease(grip);
    ksRelease(headJoint);
}

bool ZTPlayer::knCheck(KNDamager* damager) {
    if (!knWithin(damager, position, 6.0f)) return false;
    flags |= ZT_PLAYER_HIT;
    return true;
}

bool ZTPlayer::kbMove() {
    const bool first = state != prevState;
    if (first) {
        prevState = state;
        stateFrames = 0;
    }
    switch (state) {
    case ZT_TANK_ENTERING:
        enter(first);
        break;
    case ZT_TANK_DRIVING:
        drive();
        break;
    case ZT_TANK_DESTROYED:
        destroyed();
        break;
    default:
        break;
    }
    for (KVector& g : guns)
        if (g.y < 0.0f) g.y += 2.0f;
    gWork->playerPos = position;
    return (flags & ZT_PLAYER_GONE) == 0;
}

void ZTPlayer::enter(bool first) {
    if (first) counter = 0;
    position += 1.0f * kmHeading(angle);
    headJoint->push(position, angle, 0);
    counter += 1;
    if (counter > 31) state = ZT_TANK_DRIVING;
}

void ZTPlayer::drive() {
    cooldown -= 1;
    if (cooldown < 1 && gInput->kiIsHeld(KI_BUTTON1) && grip->liveShots < 6) {
        fire(shotsFired & 1);
        kwPlay(0);
        shotsFired += 1;
        cooldown = 5;
    }
    if (gInput->kiIsPushed(KI_BUTTON3)) state = ZT_TANK_DESTROYED;

    const KVector c = kmHeading(angle);
    int index = 0;
    if (gInput->kiIsHeld(KI_UP)) index |= 1;
    if (gInput->kiIsHeld(KI_DOWN)) index |= 2;
    if (gInput->kiIsHeld(KI_LEFT)) index |= 4;
    if (gInput->kiIsHeld(KI_RIGHT)) index |= 8;
    const ZTHeading& t = headingTable[index];
    if (t.steer && c.x * t.x + c.y * t.y > reverseLimit) targetDir = {t.x, t.y, 0.0f};

    if (c.x * targetDir.x + c.y * targetDir.y < onCourse) {
        if (c.x * targetDir.y - c.y * targetDir.x <= 0.0f)
            angle -= turnStep;
        else
            angle += turnStep;
    }

    position += 2.0f * kmHeading(angle);
    headJoint->push(position, angle, 0);

    if (ztOutsideField(position)) state = ZT_TANK_DESTROYED;
    if (flags & ZT_PLAYER_HIT) state = ZT_TANK_DESTROYED;
}

void ZTPlayer::destroyed() {
    if (stateFrames == 0) {
        flags |= ZT_PLAYER_HIDDEN;
        counter = 0;
        if (currentGame) currentGame->playerDown = 1;
        active = 0;
        new ZTBaku(position, 1.0f, 16);
        new ZTKoge(position, 1.0f);
        kwPlay(4);
        stateFrames = 1;
    }
    counter += 1;
    if (counter > 8) flags |= ZT_PLAYER_GONE;
    // The down-flag travels along the tail and blows it up joint by joint.
    headJoint->push(position, angle, 1);
}

void ZTPlayer::fire(int gun) {
    const KVector& g = guns[gun];
    const KVector muzzle = position + KCMatrix(angle).apply({g.x, g.y + 24.0f, g.z});
    new ZTPShot(muzzle, angle, grip);
    new ZTPShotBlast(muzzle, angle);
    guns[gun].y = -16.0f;
}

void ZTPlayer::putSprites(float dx, float dy, uint32_t colour) const {
    if (flags & ZT_PLAYER_HIDDEN) return;
    gSprite->kspPut(0, position.x + dx, position.y + dy, angle, 1.0f, 1.0f, colour);
    const KCMatrix rotation(angle);
    for (const KVector& g : guns) {
        const KVector p = position + rotation.apply(g);
        gSprite->kspPut(3, p.x + dx, p.y + dy, angle, 1.0f, 1.0f, colour);
    }
}

void ZTPlayer::kbDraw() {
    putSprites(0.0f, 0.0f, 0xFFFFFFFF);
}

void ZTPlayer::kbDrawShadow(int pass) {
    (void)pass;
    putSprites(8.0f, 8.0f, 0x60000000);
}

void ZTPlayer::kbHash(KUHash& hash) const {
    KilnBehave::kbHash(hash);
    hash.add(position), hash.add(angle), hash.add(targetDir);
    hash.add(static_cast<int32_t>(state)), hash.add(static_cast<int32_t>(prevState));
    hash.add(stateFrames), hash.add(flags), hash.add(counter);
    hash.add(guns[0]), hash.add(guns[1]), hash.add(shotsFired), hash.add(cooldown);
    hash.add(grip->liveShots);
    headJoint->hash(hash);
}
