// The flying boss: its entry, keeping its distance, the edges and the stray count, its turrets'
// fire and its fall.
#include <gtest/gtest.h>

#include <algorithm>

#include "object_test.h"
#include "objects/boss_gyro.h"
#include "objects/counter_shot.h"
#include "objects/effects.h"
#include "objects/layers.h"
#include "shot_watch.h"

namespace {

class Gyro : public ObjectTest {};

TEST_F(Gyro, LifeGrowsWithTheTail) {
    gWork->tail = 1;
    EXPECT_EQ(ZTBossGyro().life, 328);
    gWork->tail = 10;
    EXPECT_EQ(ZTBossGyro().life, 2128);
    EXPECT_EQ(gWork->groundCount, 0) << "each boss above counted itself while it lived";
}

TEST_F(Gyro, EntersFromAboveAndOnlyThenKeepsItsDistance) {
    gWork->tail = 1;
    gWork->playerPos = {320.0f, 400.0f, 0.0f};
    auto* boss = new ZTBossGyro();
    EXPECT_EQ(boss->position, (KVector{320.0f, -32.0f, 0.0f}));
    EXPECT_EQ(gWork->groundCount, 1);
    world.frames(60);
    EXPECT_LE(boss->position.y, 80.0f);
    world.frame();
    EXPECT_GT(boss->position.y, 80.0f) << "passes y 80 on its 61st frame";
    EXPECT_EQ(boss->phase, 1);
    world.frame();
    EXPECT_EQ(boss->phase, 2) << "and keeps its distance from the 62nd";

    // Falling in at speed it overshoots, then settles between 160 and 180 pixels away.
    float nearest = 1e9f;
    for (int i = 0; i < 600; ++i) {
        world.frame();
        if (i > 300) nearest = std::min(nearest, kmDistance(boss->position, gWork->playerPos));
    }
    EXPECT_GT(nearest, 120.0f);
    EXPECT_NEAR(kmDistance(boss->position, gWork->playerPos), 170.0f, 25.0f);
}

TEST_F(Gyro, DragHoldsItsSpeedAt23TimesItsThrust) {
    gWork->tail = 1;
    auto* boss = new ZTBossGyro();
    // Far enough above the field to keep falling in for the whole test.
    boss->position = {320.0f, -5000.0f, 0.0f};
    world.frames(400);
    ASSERT_EQ(boss->phase, 1);
    EXPECT_NEAR(boss->velocity.y, 23.0f * 0.125f, 1e-4f);
    EXPECT_EQ(boss->velocity.x, 0.0f);
}

TEST_F(Gyro, StrayCountOnlyGrowsAndSendsItBackToTheMiddle) {
    gWork->tail = 1;
    auto* boss = new ZTBossGyro();
    boss->phase = 2;

    // Inside the rectangle, at its preferred distance: nothing is counted, nothing is forgotten.
    boss->position = {320.0f, 240.0f, 0.0f};
    gWork->playerPos = {320.0f, 410.0f, 0.0f};
    boss->strayCounter = 10;
    world.frame();
    EXPECT_EQ(boss->strayCounter, 10);

    // Past two edges at once: both push and both count.
    boss->position = {40.0f, 40.0f, 0.0f};
    boss->velocity = {0.0f, 0.0f, 0.0f};
    gWork->playerPos = {40.0f, 210.0f, 0.0f};
    world.frame();
    EXPECT_EQ(boss->strayCounter, 12);
    EXPECT_GT(boss->velocity.x, 0.1f);
    EXPECT_GT(boss->velocity.y, 0.1f);

    // The 65th count turns it home; it flies there and fights again once within 128 pixels.
    boss->position = {40.0f, 240.0f, 0.0f};
    boss->strayCounter = 63;
    world.frame();
    EXPECT_EQ(boss->strayCounter, 64);
    EXPECT_EQ(boss->phase, 2);
    world.frame();
    EXPECT_EQ(boss->phase, 3);
    EXPECT_EQ(boss->strayCounter, 0);
    const KVector middle{320.0f, 240.0f, 0.0f};
    float before = kmDistance(boss->position, middle);
    int frames = 0;
    while (boss->phase == 3 && frames < 600) {
        world.frame();
        frames += 1;
    }
    EXPECT_EQ(boss->phase, 2);
    EXPECT_LE(kmDistance(boss->position, middle), 140.0f);
    EXPECT_LT(kmDistance(boss->position, middle), before);
}

TEST_F(Gyro, TurretsFireInTurnFromTheThirtySecondFrame) {
    gWork->tail = 1;
    gWork->playerPos = {320.0f, 400.0f, 0.0f};
    auto* boss = new ZTBossGyro();
    // Already over the field: shots made above the top edge end in the frame they are made.
    boss->position = {320.0f, 200.0f, 0.0f};
    ShotWatch watch;
    std::vector<int> frames;
    std::vector<int> turrets;
    for (int i = 1; i <= 140; ++i) {
        world.frame();
        for (ZTEShot* shot : watch.fresh()) {
            frames.push_back(i);
            // Which turret: the one whose muzzle, 5 pixels out along its angle, the shot left.
            int from = -1;
            for (int t = 0; t < 3; ++t) {
                const KVector muzzle =
                    boss->turretPositions[t] + 5.0f * kmHeading(boss->turretAngles[t]);
                if (kmDistance(shot->position - shot->velocity, muzzle) < 0.01f) from = t;
            }
            turrets.push_back(from);
            EXPECT_EQ(shot->type, 0);
            EXPECT_NEAR(kmLength(shot->velocity), 4.0f, 1e-5f);
        }
    }
    EXPECT_EQ(frames, (std::vector<int>{32, 36, 40, 44, 48, 52, 85, 89, 93, 97, 101, 105, 138}));
    EXPECT_EQ(turrets, (std::vector<int>{0, 1, 2, 0, 1, 2, 0, 1, 2, 0, 1, 2, 0}));
    EXPECT_EQ(boss->shotCounter, 13);
}

TEST_F(Gyro, AKillingBlowOfSevenScores1400AndLeavesTheTailAlone) {
    gWork->tail = 1;
    gWork->tailMax = 1;
    gWork->score = 0;
    gWork->playerPos = {320.0f, 400.0f, 0.0f};
    auto* boss = new ZTBossGyro();
    world.frames(100);
    boss->life = 5;
    new ZTCounterShot(boss->position, {0.0f, 0.0f, 0.0f}, 7);
    world.takeSounds();
    world.frames(2);
    EXPECT_TRUE(world.all<ZTBossGyro>(ZT_LAYER_AIR).empty());
    EXPECT_EQ(gWork->groundCount, 0);
    EXPECT_EQ(gWork->score, 1400u);
    EXPECT_EQ(gWork->tail, 1);
    EXPECT_EQ(gWork->tailMax, 1);
    EXPECT_STREQ(world.first<ZTRate>(ZT_LAYER_RATES)->text, ":7");
    EXPECT_EQ(world.first<ZTBaku>(ZT_LAYER_BLASTS)->size, 2.0f);
    EXPECT_EQ(world.first<ZTKoge>(ZT_LAYER_FLOOR), nullptr) << "a flyer leaves no scorch mark";
    const auto sounds = world.takeSounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 3), 1);
}

} // namespace
