// Ground enemies: damage per hit phase, scoring the killing frame, tail growth, volleys.
#include <gtest/gtest.h>

#include <algorithm>

#include "object_test.h"
#include "objects/counter_shot.h"
#include "objects/effects.h"
#include "objects/eshot.h"
#include "objects/ground_enemies.h"
#include "objects/layers.h"
#include "objects/player.h"
#include "objects/tail.h"
#include "objects/tail_add_eft.h"

namespace {

class GroundEnemy : public ObjectTest {
protected:
    // Blows of the given power that overlap `target` in the next hit phase, then fade.
    void blow(const KVector& target, int power) {
        new ZTCounterShot(target, {0.0f, 0.0f, 0.0f}, power);
    }
};

TEST_F(GroundEnemy, TwoBlowsOfFiveInOnePhaseScoreTheirSum) {
    new ZTPlayer();
    gWork->score = 0;
    auto* enemy = new ZTEnm25P({320.0f, 240.0f, 0.0f});
    EXPECT_EQ(gWork->groundCount, 1);
    blow(enemy->position, 5);
    blow(enemy->position, 5);
    world.frame();
    EXPECT_EQ(enemy->damage, 10);
    EXPECT_EQ(enemy->life, 8);
    world.takeSounds();
    world.frame();
    EXPECT_TRUE(world.all<ZTEnm25P>(ZT_LAYER_GROUND).empty());
    EXPECT_EQ(gWork->groundCount, 0);
    EXPECT_EQ(gWork->score, 100u);
    auto* rate = world.first<ZTRate>(ZT_LAYER_RATES);
    ASSERT_NE(rate, nullptr);
    EXPECT_STREQ(rate->text, ":10");
    const auto sounds = world.takeSounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 5), 1);
    auto* koge = world.first<ZTKoge>(ZT_LAYER_FLOOR);
    ASSERT_NE(koge, nullptr);
    EXPECT_EQ(koge->scale, 1.5f);
}

TEST_F(GroundEnemy, DamageOfEarlierPhasesCountsForLifeOnly) {
    new ZTPlayer();
    gWork->score = 0;
    auto* enemy = new ZTEnm25P({320.0f, 240.0f, 0.0f});
    blow(enemy->position, 3);
    world.frames(2);
    EXPECT_EQ(enemy->life, 5);
    // A later quiet stretch changes nothing.
    world.frames(20);
    EXPECT_EQ(enemy->life, 5);
    blow(enemy->position, 9);
    world.frames(2);
    EXPECT_TRUE(world.all<ZTEnm25P>(ZT_LAYER_GROUND).empty());
    EXPECT_EQ(gWork->score, 90u);
    EXPECT_STREQ(world.first<ZTRate>(ZT_LAYER_RATES)->text, ":9");
}

TEST_F(GroundEnemy, EachDestructionAddsAnArmedJointAndRaisesTailMax) {
    gWork->tail = 2;
    gWork->tailMax = 3;
    new ZTPlayer();
    const size_t joints = world.all<ZTTail>(ZT_LAYER_TANK).size();
    EXPECT_EQ(joints, 6u);
    for (int i = 0; i < 2; ++i) {
        auto* enemy = new ZTEnm25P({200.0f + 100.0f * i, 200.0f, 0.0f});
        blow(enemy->position, 8);
        world.frames(2);
        EXPECT_EQ(tailLast->kind, ZT_JOINT_ARMED);
        EXPECT_EQ(world.all<ZTTail>(ZT_LAYER_TANK).size(), joints + 1 + i);
    }
    EXPECT_EQ(gWork->tail, 4);
    EXPECT_EQ(gWork->tailMax, 4);
    EXPECT_EQ(world.all<ZTTailAddEft>(ZT_LAYER_SPARKS).size(), 2u);
}

TEST_F(GroundEnemy, LifeGrowsWithTheTailAtFieldStart) {
    gWork->tail = 3;
    auto* middle = new ZTEnmMiddle({200.0f, 200.0f, 0.0f});
    auto* large = new ZTEnmLarge({400.0f, 200.0f, 0.0f});
    EXPECT_EQ(middle->life, 112);
    EXPECT_EQ(large->life, 168);
    EXPECT_EQ(gWork->groundCount, 2);
    delete middle;
    EXPECT_EQ(gWork->groundCount, 1);
}

TEST_F(GroundEnemy, FirstVolleysOnFramesSixtyFiveNinetySevenAndOneTwentyOne) {
    gWork->playerPos = {320.0f, 440.0f, 0.0f};
    new ZTEnm25P({100.0f, 100.0f, 0.0f});
    new ZTEnmMiddle({320.0f, 100.0f, 0.0f});
    new ZTEnmLarge({540.0f, 100.0f, 0.0f});
    std::vector<std::pair<int, int>> volleys; // frame, shots made
    for (int i = 0; i < 125; ++i) {
        const auto before = world.all<ZTEShot>(ZT_LAYER_ENEMY_SHOTS);
        world.frame();
        const auto now = world.all<ZTEShot>(ZT_LAYER_ENEMY_SHOTS);
        if (now.size() > before.size()) {
            volleys.emplace_back(world.frameNumber, static_cast<int>(now.size() - before.size()));
        }
    }
    EXPECT_EQ(volleys, (std::vector<std::pair<int, int>>{{65, 1}, {97, 6}, {121, 5}}));
    int large = 0;
    for (ZTEShot* s : world.all<ZTEShot>(ZT_LAYER_ENEMY_SHOTS)) large += s->type;
    EXPECT_EQ(large, 5);
}

TEST_F(GroundEnemy, TurretTurnsTowardThePlayer) {
    auto* enemy = new ZTEnm25P({320.0f, 240.0f, 0.0f});
    // Straight above a turret that faces down: no turn at all.
    gWork->playerPos = {320.0f, 100.0f, 0.0f};
    world.frame();
    EXPECT_EQ(enemy->angle, 0.0f);
    // Straight to its right: the angle falls by the full rate.
    gWork->playerPos = {500.0f, 240.0f, 0.0f};
    world.frame();
    EXPECT_EQ(enemy->angle, -0.0625f);
    // On top of it: nothing to aim at.
    gWork->playerPos = enemy->position;
    world.frame();
    EXPECT_EQ(enemy->angle, -0.0625f);
}

TEST_F(GroundEnemy, LargeFanIsAimedAtThePlayerFromTheCentre) {
    gWork->playerPos = {540.0f, 400.0f, 0.0f}; // straight below
    auto* large = new ZTEnmLarge({540.0f, 100.0f, 0.0f});
    world.frames(121);
    auto shots = world.all<ZTEShot>(ZT_LAYER_ENEMY_SHOTS);
    ASSERT_EQ(shots.size(), 5u);
    EXPECT_EQ(shots[0]->velocity.x, 0.0f);
    EXPECT_EQ(shots[0]->velocity.y, 2.0f);
    EXPECT_EQ(shots[0]->position.y, 102.0f);
    EXPECT_LT(shots[1]->velocity.x, 0.0f); // a growing angle turns clockwise: toward -x
    EXPECT_GT(shots[2]->velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(shots[1]->velocity.x, -shots[2]->velocity.x);
    EXPECT_FLOAT_EQ(shots[3]->velocity.x, -shots[4]->velocity.x);
    EXPECT_FLOAT_EQ(large->angle, 121 * 0.03125f);
}

TEST_F(GroundEnemy, BodyTouchesTheTankWithinBodyRadiusPlusSix) {
    auto* player = new ZTPlayer();
    world.frames(40);
    auto* enemy = new ZTEnmLarge(player->position + KVector{0.0f, -21.0f, 0.0f});
    knHitCheck();
    EXPECT_TRUE(player->flags & ZT_PLAYER_HIT);
    enemy->position.y -= 1.0f;
    knHitCheck();
    EXPECT_FALSE(player->flags & ZT_PLAYER_HIT);
}
} // namespace
