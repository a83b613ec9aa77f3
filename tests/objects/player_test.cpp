// The tank: entry, steering, firing, the border and the hit sphere.
#include <gtest/gtest.h>

#include <algorithm>

#include "object_test.h"
#include "objects/eshot.h"
#include "objects/layers.h"
#include "objects/player.h"
#include "objects/pshot.h"
#include "objects/tail.h"

namespace {
constexpr float turnStep = 0.1308997f;

class PlayerTest : public ObjectTest {
protected:
    ZTPlayer* player = nullptr;

    void SetUp() override { player = new ZTPlayer(); }
    // Runs the 32 entry frames; the tank then heads up at (320, 432).
    void enter() {
        world.hold(0);
        world.frames(32);
    }
    bool alive() const { return world.first<ZTPlayer>(ZT_LAYER_TANK) == player; }
};

TEST_F(PlayerTest, EntryRollsUpThirtyTwoPixelsWithoutFiringOrSteering) {
    EXPECT_EQ(gWork->playerPos.y, 464.0f);
    world.hold(KI_BUTTON1 | KI_LEFT);
    world.frames(31);
    EXPECT_EQ(player->state, ZT_TANK_ENTERING);
    EXPECT_EQ(player->position.y, 433.0f);
    world.frame();
    EXPECT_EQ(player->state, ZT_TANK_DRIVING);
    EXPECT_EQ(player->position.x, 320.0f);
    EXPECT_EQ(player->position.y, 432.0f);
    EXPECT_EQ(player->angle, kmPiF);
    EXPECT_EQ(player->grip->liveShots, 0);
    EXPECT_EQ(gWork->playerPos.y, 432.0f);
    // The first driving frame fires, steers and moves at full speed.
    world.frame();
    EXPECT_EQ(player->grip->liveShots, 1);
    EXPECT_EQ(player->angle, kmPiF - turnStep);
}

TEST_F(PlayerTest, EntryIgnoresHitsButTheShotStillEnds) {
    world.hold(0);
    world.frames(4);
    // Just inside the field, on the tank's hit sphere: the hit, not the border, ends the shot.
    ASSERT_GT(player->position.y, 448.0f);
    auto* shot = new ZTEShot(KVector{player->position.x, 448.0f, 0.0f}, 0.0f, 0.0f, 1);
    world.frame();
    EXPECT_TRUE(player->flags & ZT_PLAYER_HIT);
    EXPECT_EQ(shot->done, 1);
    world.frame();
    EXPECT_EQ(player->state, ZT_TANK_ENTERING);
    EXPECT_TRUE(world.all<ZTEShot>(ZT_LAYER_ENEMY_SHOTS).empty());
}

// Each case turns the tank to a start heading, then holds a combination and checks where the
// tank wants to go: the table's odd rows, not a rule of thumb.
struct SteerCase {
    uint32_t preTurn; // held for 12 frames (a quarter turn) after the entry; 0: heading up
    uint32_t held;
    float wantX, wantY;
};

class SteeringTable : public PlayerTest, public ::testing::WithParamInterface<SteerCase> {};

TEST_P(SteeringTable, CombinationPicksTheTableHeading) {
    const SteerCase c = GetParam();
    enter();
    if (c.preTurn) {
        world.hold(c.preTurn);
        world.frames(12);
    }
    world.hold(c.held);
    world.frame();
    EXPECT_EQ(player->targetDir.x, c.wantX);
    EXPECT_EQ(player->targetDir.y, c.wantY);
}

INSTANTIATE_TEST_SUITE_P(
    OddRows, SteeringTable,
    ::testing::Values(SteerCase{KI_RIGHT, KI_UP | KI_DOWN, 0.0f, -1.0f},
                      SteerCase{0, KI_UP | KI_DOWN | KI_LEFT, -1.0f, 0.0f},
                      SteerCase{KI_RIGHT, KI_UP | KI_DOWN | KI_RIGHT, 0.0f, -1.0f},
                      SteerCase{0, KI_LEFT | KI_RIGHT, -1.0f, 0.0f},
                      SteerCase{KI_RIGHT, KI_UP | KI_LEFT | KI_RIGHT, 0.0f, -1.0f},
                      SteerCase{0, KI_DOWN | KI_LEFT | KI_RIGHT, -1.0f, 0.0f},
                      SteerCase{KI_RIGHT, KI_UP | KI_DOWN | KI_LEFT | KI_RIGHT, 0.0f, -1.0f}));

TEST_F(PlayerTest, ReversingWishesAreIgnoredButOneThirtyFiveDegreesTurns) {
    enter();
    world.hold(KI_DOWN);
    world.frames(3);
    EXPECT_EQ(player->angle, kmPiF);
    EXPECT_EQ(player->targetDir.y, -1.0f);
    EXPECT_EQ(player->position.y, 426.0f);
    // Down+Left is 135 degrees away: the tank turns, to its left.
    world.hold(KI_DOWN | KI_LEFT);
    world.frame();
    EXPECT_EQ(player->angle, kmPiF - turnStep);
    EXPECT_LT(player->position.x, 320.0f);
    // Releasing every direction keeps the target: the turn goes on.
    world.hold(0);
    world.frame();
    EXPECT_EQ(player->angle, kmPiF - 2.0f * turnStep);
}

TEST_F(PlayerTest, FortyFiveDegreesAreReachedInSixFramesAndHeld) {
    enter();
    world.hold(KI_UP | KI_RIGHT);
    float angle = player->angle;
    int turning = 0;
    for (int i = 0; i < 10; ++i) {
        world.frame();
        if (player->angle != angle) ++turning;
        angle = player->angle;
    }
    EXPECT_EQ(turning, 6);
    EXPECT_FLOAT_EQ(player->angle, kmPiF + 6.0f * turnStep);
    // Heading up and to the right on the screen.
    EXPECT_GT(-kmSin(player->angle), 0.7f);
    EXPECT_LT(kmCos(player->angle), -0.7f);
}

TEST_F(PlayerTest, HeldFireShootsEveryFifthFrameFromAlternatingGunsAtMostSix) {
    enter();
    world.hold(KI_BUTTON1);
    std::vector<int> fired, liveBefore;
    for (int i = 0; i < 80; ++i) {
        liveBefore.push_back(player->grip->liveShots);
        world.frame();
        const auto sounds = world.takeSounds();
        if (std::count(sounds.begin(), sounds.end(), 0) != 1) continue;
        fired.push_back(i);
        auto shots = world.all<ZTPShot>(ZT_LAYER_SHOTS);
        ASSERT_FALSE(shots.empty());
        // Heading up, gun 0 sits on the tank's left (smaller x), gun 1 on its right.
        const float side = shots.back()->position.x - player->position.x;
        EXPECT_NEAR(side, fired.size() % 2 == 1 ? -16.0f : 16.0f, 1e-3f) << fired.size();
        EXPECT_LT(liveBefore.back(), 6);
    }
    ASSERT_GE(fired.size(), 7u);
    for (size_t i = 1; i < 6; ++i) EXPECT_EQ(fired[i] - fired[i - 1], 5);
    EXPECT_EQ(*std::max_element(liveBefore.begin(), liveBefore.end()), 6);
    // The seventh waits for the first to leave the arena and goes in the first frame it may.
    EXPECT_GT(fired[6] - fired[5], 5);
    EXPECT_EQ(liveBefore[fired[6] - 1], 6);
}

TEST_F(PlayerTest, WhileAReplayIsWatchedOnlyTheRecordedButtonsSteer) {
    enter();
    world.hold(KI_RIGHT);
    world.input.kimPlayBuf.assign(4, KI_LEFT);
    world.input.kimUsePlay = true;
    world.frame();
    EXPECT_EQ(player->targetDir.x, -1.0f);
    EXPECT_EQ(player->angle, kmPiF - turnStep);
}

TEST_F(PlayerTest, BorderAtSixOhEightIsInsideAndHalfAPixelMoreIsNot) {
    enter();
    for (const float start : {606.0f, 606.5f}) {
        player->angle = -kmPiF / 2.0f; // heading right
        player->targetDir = {1.0f, 0.0f, 0.0f};
        player->position = {start, 240.0f, 0.0f};
        player->state = ZT_TANK_DRIVING;
        world.frame();
        EXPECT_EQ(player->position.x, start + 2.0f);
        EXPECT_EQ(player->state, start == 606.0f ? ZT_TANK_DRIVING : ZT_TANK_DESTROYED);
    }
}

TEST_F(PlayerTest, EnemyShotHitSphereIsShotRadiusPlusSix) {
    enter();
    world.hold(0);
    // The hit phase runs after the tank moved: place the shots relative to where it stands.
    for (const auto& [type, gap, hit] : {std::tuple{1, 13.99f, true}, std::tuple{1, 14.0f, false},
                                         std::tuple{0, 9.99f, true}, std::tuple{0, 10.0f, false}}) {
        player->flags = 0;
        auto* shot = new ZTEShot({player->position.x + gap, 200.0f, 0.0f}, 0.0f, 0.0f, type);
        shot->position.y = player->position.y;
        knHitCheck();
        EXPECT_EQ((player->flags & ZT_PLAYER_HIT) != 0, hit) << type << " " << gap;
        delete shot;
    }
}

TEST_F(PlayerTest, SelfDestructHidesTheTankAndDeletesItAfterNineFrames) {
    enter();
    world.takeSounds();
    world.hold(KI_BUTTON3);
    world.frame();
    EXPECT_EQ(player->state, ZT_TANK_DESTROYED);
    EXPECT_FALSE(player->flags & ZT_PLAYER_HIDDEN);
    world.hold(0);
    world.frame();
    EXPECT_TRUE(player->flags & ZT_PLAYER_HIDDEN);
    EXPECT_EQ(world.takeSounds(), std::vector<int>{4});
    EXPECT_EQ(player->headJoint->downFlags[0], 1);
    world.frames(7);
    EXPECT_TRUE(alive());
    world.frame();
    EXPECT_FALSE(alive());
    // The shots' grip and the head joint outlive the tank while others hold them.
    EXPECT_GT(ksmCount, 0);
}
} // namespace
