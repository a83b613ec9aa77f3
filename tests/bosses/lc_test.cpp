// The great gun emplacement: life, its cycle of fans, pause and stream, the stream bending after
// the player, and its fall.
#include <gtest/gtest.h>

#include <algorithm>

#include "object_test.h"
#include "objects/boss_lc.h"
#include "objects/counter_shot.h"
#include "objects/effects.h"
#include "objects/layers.h"
#include "objects/player.h"
#include "objects/tail.h"
#include "shot_watch.h"

namespace {

const KVector centre{320.0f, 240.0f, 0.0f};

class LC : public ObjectTest {};

TEST_F(LC, LifeGrowsWithTheTail) {
    gWork->tail = 1;
    EXPECT_EQ(ZTBossLC(centre).life, 320);
    gWork->tail = 10;
    EXPECT_EQ(ZTBossLC(centre).life, 2624);
}

TEST_F(LC, OneCycleIsFiveFansAPauseAndAStreamOf241Shots) {
    gWork->tail = 1;
    gWork->playerPos = {320.0f, 440.0f, 0.0f};
    auto* boss = new ZTBossLC(centre);
    ShotWatch watch;
    std::vector<int> fans;
    std::vector<int> stream;
    for (int i = 1; i <= 1600; ++i) {
        world.frame();
        const auto made = watch.fresh();
        if (made.empty()) continue;
        const KVector muzzle = boss->position + 48.0f * kmHeading(boss->angle);
        for (ZTEShot* shot : made) {
            EXPECT_EQ(shot->type, 1);
            EXPECT_LT(kmDistance(shot->position - shot->velocity, muzzle), 0.01f) << "frame " << i;
        }
        if (made.size() == 7) {
            fans.push_back(i);
            // Straight at the turret's aim, then pairs an eighth, a quarter and half of pi out.
            const float offsets[7] = {0.0f,          kmPiF / 8.0f, -kmPiF / 8.0f, kmPiF / 4.0f,
                                      -kmPiF / 4.0f, kmPiF / 2.0f, -kmPiF / 2.0f};
            for (int k = 0; k < 7; ++k) {
                EXPECT_NEAR(angleGap(shotAngle(made[k]), boss->angle + offsets[k]), 0.0f, 1e-5f);
                EXPECT_NEAR(kmLength(made[k]->velocity), 1.5f, 1e-5f);
            }
        } else {
            ASSERT_EQ(made.size(), 1u) << "frame " << i;
            stream.push_back(i);
            EXPECT_NEAR(kmLength(made[0]->velocity), 12.0f, 1e-4f);
        }
    }
    // Fans 122 frames apart from the 122nd frame; a pause of 122 frames; then a shot every
    // third frame; after the 241st the next cycle begins with its first fan 122 frames on.
    EXPECT_EQ(fans, (std::vector<int>{122, 244, 366, 488, 610, 1577}));
    ASSERT_EQ(stream.size(), 241u);
    EXPECT_EQ(stream.front(), 610 + 122 + 3);
    for (size_t k = 1; k < stream.size(); ++k) ASSERT_EQ(stream[k] - stream[k - 1], 3);
    EXPECT_EQ(stream.back() + 122, 1577);
}

TEST_F(LC, TheStreamBendsAfterAMovingPlayer) {
    gWork->tail = 1;
    auto* boss = new ZTBossLC(centre);
    boss->phase = 3;
    ShotWatch watch;
    std::vector<float> angles;
    // The player circles the boss a little at a time; every shot leaves along the turret.
    for (int i = 0; i < 90; ++i) {
        const float around = 0.02f * static_cast<float>(i);
        gWork->playerPos = centre + 150.0f * kmHeading(around);
        world.frame();
        for (ZTEShot* shot : watch.fresh()) {
            EXPECT_NEAR(angleGap(shotAngle(shot), boss->angle), 0.0f, 1e-5f);
            angles.push_back(shotAngle(shot));
        }
    }
    ASSERT_EQ(angles.size(), 30u);
    for (size_t k = 1; k < angles.size(); ++k) EXPECT_GT(angles[k], angles[k - 1]);
    // Turning by the sine of its error, it trails a player circling at 0.02 a frame by about
    // asin(0.02 / 0.0625), a third of a radian, and no more.
    EXPECT_GT(angles.back(), 0.02f * 89.0f - 0.4f);
    EXPECT_LT(angles.back(), 0.02f * 89.0f - 0.25f);
}

TEST_F(LC, AKillingBlowOfTwelveScores6000AndLengthensTheTail) {
    gWork->tail = 3;
    gWork->tailMax = 3;
    new ZTPlayer();
    gWork->score = 0;
    auto* boss = new ZTBossLC(centre);
    const size_t joints = world.all<ZTTail>(ZT_LAYER_TANK).size();
    world.frames(5);
    boss->life = 12;
    new ZTCounterShot(boss->position, {0.0f, 0.0f, 0.0f}, 12);
    world.takeSounds();
    world.frames(2);
    EXPECT_TRUE(world.all<ZTBossLC>(ZT_LAYER_GROUND).empty());
    EXPECT_EQ(gWork->groundCount, 0);
    EXPECT_EQ(gWork->score, 6000u);
    EXPECT_EQ(gWork->tail, 4);
    EXPECT_EQ(gWork->tailMax, 4);
    EXPECT_EQ(world.all<ZTTail>(ZT_LAYER_TANK).size(), joints + 1);
    EXPECT_STREQ(world.first<ZTRate>(ZT_LAYER_RATES)->text, ":12");
    ASSERT_NE(world.first<ZTKoge>(ZT_LAYER_FLOOR), nullptr);
    EXPECT_EQ(world.first<ZTKoge>(ZT_LAYER_FLOOR)->scale, 4.0f);
    EXPECT_EQ(world.first<ZTBaku>(ZT_LAYER_BLASTS)->frames, 64);
    const auto sounds = world.takeSounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 5), 1);
}

} // namespace
