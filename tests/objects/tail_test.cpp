// The tail: following, self-collision, destruction running down it, charging and bursts.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>

#include "object_test.h"
#include "objects/counter_shot.h"
#include "objects/eshot.h"
#include "objects/layers.h"
#include "objects/player.h"
#include "objects/pshot.h"
#include "objects/tail.h"
#include "objects/tail_add_eft.h"

namespace {

std::vector<ZTTail*> chain() {
    std::vector<ZTTail*> joints;
    for (ZTTail* t = tailFirst; t; t = t->nextTail) joints.push_back(t);
    return joints;
}

class Tail : public ObjectTest {};

TEST_F(Tail, BuiltFromTheWorkTailAlternatingArmedAndPlain) {
    gWork->tail = 3;
    new ZTPlayer();
    std::vector<int> kinds;
    for (ZTTail* t : chain()) {
        kinds.push_back(t->kind);
        EXPECT_EQ(t->position.x, 320.0f);
        EXPECT_EQ(t->position.y, 464.0f);
    }
    EXPECT_EQ(kinds, (std::vector<int>{0, 0, 0, 0, 1, 0, 1}));
    // Construction order is layer order: the tank first, then each joint after its leader.
    EXPECT_EQ(world.all<ZTTail>(ZT_LAYER_TANK), chain());
    EXPECT_TRUE(world.all<ZTTailAddEft>(ZT_LAYER_SPARKS).empty());
}

TEST_F(Tail, FollowsFifteenFramesBehindTheTank) {
    auto* player = new ZTPlayer();
    ZTTail* firstJoint = tailFirst;
    std::vector<KVector> path;
    world.hold(0);
    for (int i = 0; i < 15; ++i) {
        world.frame();
        path.push_back(player->position);
        EXPECT_EQ(firstJoint->position.y, 464.0f) << "frame " << world.frameNumber;
    }
    world.hold(KI_LEFT);
    for (int i = 0; i < 60; ++i) {
        world.frame();
        path.push_back(player->position);
        const KVector& expected = path[path.size() - 16];
        EXPECT_EQ(firstJoint->position, expected) << "frame " << world.frameNumber;
    }
    // Driving straight: 30 pixels apart along the path.
    world.hold(0);
    world.frames(40);
    EXPECT_NEAR(kmDistance(player->position, firstJoint->position), 30.0f, 1e-3f);
    ZTTail* second = firstJoint->nextTail;
    EXPECT_NEAR(kmDistance(firstJoint->position, second->position), 30.0f, 1e-3f);
}

TEST_F(Tail, JointWithinFourteenPixelsDestroysTheTank) {
    auto* player = new ZTPlayer();
    world.frames(40);
    ZTTail* last = tailLast;
    for (const auto& [gap, hit] : {std::pair{13.99f, true}, std::pair{14.0f, false}}) {
        player->flags = 0;
        last->position = player->position + KVector{0.0f, gap, 0.0f};
        knHitCheck();
        EXPECT_EQ((player->flags & ZT_PLAYER_HIT) != 0, hit) << gap;
    }
}

TEST_F(Tail, TightCircleRunsIntoTheTailButStraightDrivingNeverDoes) {
    auto* player = new ZTPlayer();
    world.frames(32 + 60);
    EXPECT_EQ(player->state, ZT_TANK_DRIVING);
    // Right, down, left, up, a quarter turn each: the tank turns without a break.
    const uint32_t quarter[] = {KI_RIGHT, KI_DOWN, KI_LEFT, KI_UP};
    int frames = 0;
    while (!(player->flags & ZT_PLAYER_HIT) && frames < 200) {
        world.hold(quarter[(frames / 12) % 4]);
        world.frame();
        ++frames;
    }
    ASSERT_TRUE(player->flags & ZT_PLAYER_HIT);
    EXPECT_FALSE(player->position.x < 32.0f || player->position.x > 608.0f);
    EXPECT_FALSE(player->position.y < 32.0f || player->position.y > 448.0f);
    // The first two joints, 30 and 60 pixels of path behind, never come near: a later one did.
    const auto joints = chain();
    EXPECT_GE(kmDistance(joints[0]->position, player->position), 14.0f);
    EXPECT_GE(kmDistance(joints[1]->position, player->position), 14.0f);
    float nearest = 1e9f;
    for (size_t k = 2; k < joints.size(); ++k)
        nearest = std::min(nearest, kmDistance(joints[k]->position, player->position));
    EXPECT_LT(nearest, 14.0f);
    world.frame();
    EXPECT_EQ(player->state, ZT_TANK_DESTROYED);
}

TEST_F(Tail, DestructionRunsDownOneJointEveryThreeFrames) {
    gWork->tail = 4;
    auto* player = new ZTPlayer();
    world.frames(32);
    world.frames(80);
    const auto joints = chain();
    ASSERT_EQ(joints.size(), 8u);
    world.hold(KI_BUTTON3);
    world.frame();
    world.hold(0);
    const int firstDestroyed = world.frameNumber + 1; // the state change takes effect next frame
    std::map<ZTTail*, int> downAt, goneAt;
    world.takeSounds();
    for (int i = 0; i < 60; ++i) {
        world.frame();
        const auto alive = world.all<ZTTail>(ZT_LAYER_TANK);
        for (ZTTail* t : joints) {
            const bool isAlive = std::find(alive.begin(), alive.end(), t) != alive.end();
            if (!isAlive) {
                goneAt.emplace(t, world.frameNumber);
                continue;
            }
            if (t->down) downAt.emplace(t, world.frameNumber);
        }
    }
    (void)player;
    ASSERT_EQ(downAt.size(), joints.size());
    for (size_t k = 0; k < joints.size(); ++k) {
        EXPECT_EQ(downAt[joints[k]], firstDestroyed + 3 * static_cast<int>(k + 1)) << k;
        EXPECT_EQ(goneAt[joints[k]], downAt[joints[k]] + 9) << k;
    }
    // One blast for the tank and one for every joint.
    const auto sounds = world.takeSounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 4), 1 + static_cast<int>(joints.size()));
    EXPECT_EQ(tailFirst, nullptr);
    EXPECT_EQ(tailLast, nullptr);
}

// One armed joint standing still at (320, 240) heading down, behind a history no one pushes.
class ArmedJoint : public ObjectTest {
protected:
    ZTJoint* head = nullptr;
    ZTTail* joint = nullptr;
    ZTPShotGrip* grip = nullptr;

    void SetUp() override {
        gWork->tail = 7;
        head = new ZTJoint(16, {320.0f, 240.0f, 0.0f}, 0.0f, nullptr);
        joint = new ZTTail(ZT_JOINT_ARMED, 1, head, false);
        grip = new ZTPShotGrip();
    }
    void TearDown() override {
        ksRelease(grip);
        ksRelease(head);
    }
    void charge() {
        new ZTEShot(joint->position, 0.0f, 0.0f, 0);
        world.frame();
        world.takeSounds();
        world.frame();
    }
    // A player's shot that arrives `side` pixels to the joint's side (+x is the joint's side).
    void strike(float side) {
        const float angle = side > 0.0f ? kmPiF / 2.0f : -kmPiF / 2.0f;
        new ZTPShot({320.0f + side + (side > 0.0f ? 12.0f : -12.0f), 240.0f, 0.0f}, angle, grip);
        world.frame();
    }
};

TEST_F(ArmedJoint, EnemyShotChargesItAndEnds) {
    charge();
    EXPECT_EQ(joint->counterState, ZT_COUNTER_CHARGED);
    EXPECT_EQ(joint->charge, 1);
    EXPECT_EQ(world.takeSounds(), std::vector<int>{1});
    auto* flash = world.first<ZTTailAddEft>(ZT_LAYER_SPARKS);
    ASSERT_NE(flash, nullptr);
    EXPECT_EQ(flash->cell, 68);
    EXPECT_TRUE(world.all<ZTEShot>(ZT_LAYER_ENEMY_SHOTS).empty());
    // A second enemy shot changes nothing more.
    new ZTEShot(joint->position, 0.0f, 0.0f, 0);
    world.frames(2);
    EXPECT_EQ(joint->counterState, ZT_COUNTER_CHARGED);
    EXPECT_TRUE(world.takeSounds().empty());
}

TEST_F(ArmedJoint, PlayerShotIntoAnUnchargedJointSimplyEnds) {
    strike(18.0f);
    EXPECT_EQ(joint->counterState, ZT_COUNTER_WAITING);
    world.frame();
    EXPECT_TRUE(world.all<ZTPShot>(ZT_LAYER_SHOTS).empty());
    EXPECT_EQ(grip->liveShots, 0);
    EXPECT_EQ(world.takeSounds(), std::vector<int>{7});
}

TEST_F(ArmedJoint, ChargedJointFiresSixtyFourCounterShotsAwayFromTheShot) {
    charge();
    strike(18.0f);
    world.takeSounds();
    world.frame();
    EXPECT_EQ(joint->counterState, ZT_COUNTER_FIRING);
    EXPECT_EQ(world.takeSounds(), (std::vector<int>{2, 7}));
    int made = 0;
    for (int i = 0; i < 140; ++i) {
        world.frame();
        for (ZTCounterShot* s : world.all<ZTCounterShot>(ZT_LAYER_SHOTS)) {
            if (s->life != 15) continue; // made this frame and moved once
            ++made;
            EXPECT_EQ(s->power, 8);
            EXPECT_EQ(s->velocity.x, -12.0f);
        }
    }
    EXPECT_EQ(made, 64);
    EXPECT_EQ(joint->counterState, ZT_COUNTER_WAITING);
    EXPECT_EQ(joint->charge, 0);
    EXPECT_EQ(joint->chargeScale, 0.0f);
}

TEST_F(ArmedJoint, ShotFromTheOtherSideSendsTheBurstToPlus) {
    charge();
    strike(-18.0f);
    world.frames(3); // the trigger, then one quiet frame before the first shot
    auto shots = world.all<ZTCounterShot>(ZT_LAYER_SHOTS);
    ASSERT_EQ(shots.size(), 1u);
    EXPECT_EQ(shots[0]->velocity.x, 12.0f);
    EXPECT_EQ(joint->counterSign, 1.0f);
}

TEST_F(ArmedJoint, CounterShotsDoNotTriggerACharge) {
    charge();
    new ZTCounterShot({320.0f, 240.0f, 0.0f}, {0.0f, 0.0f, 0.0f}, 2);
    world.frames(3);
    EXPECT_EQ(joint->counterState, ZT_COUNTER_CHARGED);
}

TEST_F(Tail, AddTailAppendsAnArmedJointWithItsFlash) {
    new ZTPlayer();
    ZTTail* before = tailLast;
    addTail(ZT_JOINT_ARMED, true);
    ASSERT_NE(tailLast, before);
    EXPECT_EQ(tailLast->kind, ZT_JOINT_ARMED);
    EXPECT_EQ(tailLast->prevTail, before);
    EXPECT_EQ(tailLast->joint->parent, before->joint);
    auto* flash = world.first<ZTTailAddEft>(ZT_LAYER_SPARKS);
    ASSERT_NE(flash, nullptr);
    EXPECT_EQ(flash->cell, 67);
    // The joint's history is held by the joint, its follower's history would be, and the flash.
    EXPECT_EQ(tailLast->joint->references, 2);
}

TEST_F(Tail, AddTailWithNoJointLeftDoesNothing) {
    addTail(ZT_JOINT_ARMED, true);
    EXPECT_EQ(tailLast, nullptr);
    EXPECT_EQ(kbHead[ZT_LAYER_TANK], nullptr);
    EXPECT_EQ(kbHead[ZT_LAYER_SPARKS], nullptr);
}
} // namespace
