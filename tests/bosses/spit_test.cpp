// Spit generators keep their spits topped up in rounds; spits home in, fire from afar and burst.
#include <gtest/gtest.h>

#include <algorithm>

#include "object_test.h"
#include "objects/bounds.h"
#include "objects/counter_shot.h"
#include "objects/effects.h"
#include "objects/layers.h"
#include "objects/spit.h"
#include "shot_watch.h"

namespace {

class Spits : public ObjectTest {
protected:
    std::vector<ZTEnmSpit*> spits() const { return world.all<ZTEnmSpit>(ZT_LAYER_AIR); }

    // Frames (1-based, counted from now) on which a new spit appeared, over `count` frames.
    std::vector<int> releaseFrames(int count) {
        std::vector<int> frames;
        for (int i = 1; i <= count; ++i) {
            const size_t before = spits().size();
            world.frame();
            if (spits().size() > before) frames.push_back(i);
        }
        return frames;
    }

    // Records a killing blow as a hit phase would, and runs the frame in which the spit bursts.
    // (The generator moves before its spits, so it sees the loss one frame later.)
    void shootDown(ZTEnmSpit* spit) {
        spit->damage = 4;
        world.frame();
    }
};

TEST_F(Spits, GeneratorOfThreeReleasesOnItsFrames97And122And147ThenWaits) {
    // Keep the player far below so that no spit is near anything.
    gWork->playerPos = {320.0f, 2000.0f, 0.0f};
    auto* gen = new ZTEnmSpitGen(3, 24);
    EXPECT_EQ(releaseFrames(300), (std::vector<int>{97, 122, 147}));
    EXPECT_EQ(gen->grip->alive, 3);
    EXPECT_EQ(gen->state, ZT_SPITGEN_FULL);

    // Two of three gone: one left is not below 3 / 2, so still no new round.
    shootDown(spits()[0]);
    shootDown(spits()[0]);
    EXPECT_EQ(gen->grip->alive, 1);
    EXPECT_TRUE(releaseFrames(200).empty());
    EXPECT_EQ(gen->state, ZT_SPITGEN_FULL);

    // The last one gone: the generator notices on its next frame, and on the one after begins
    // the long wait of a new round, 97 frames to the first spit as at the start.
    shootDown(spits()[0]);
    EXPECT_EQ(gen->grip->alive, 0);
    EXPECT_EQ(gen->state, ZT_SPITGEN_FULL);
    world.frame();
    EXPECT_EQ(gen->state, ZT_SPITGEN_ROUND);
    EXPECT_EQ(releaseFrames(200), (std::vector<int>{97, 122, 147}));
}

TEST_F(Spits, GeneratorsRestartWhenFewerThanHalfAreLeft) {
    gWork->playerPos = {320.0f, 2000.0f, 0.0f};
    // maximum, spits left when a new round starts
    for (const auto& [maximum, restartAt] : {std::pair{5, 1}, std::pair{8, 3}}) {
        auto* gen = new ZTEnmSpitGen(maximum, 24);
        world.frames(97 + 25 * (maximum - 1));
        ASSERT_EQ(gen->grip->alive, maximum);
        ASSERT_EQ(gen->state, ZT_SPITGEN_FULL);
        while (gen->grip->alive > restartAt + 1) {
            shootDown(world.first<ZTEnmSpit>(ZT_LAYER_AIR));
            world.frame();
            EXPECT_EQ(gen->state, ZT_SPITGEN_FULL)
                << maximum << " with " << gen->grip->alive << " left";
        }
        shootDown(world.first<ZTEnmSpit>(ZT_LAYER_AIR));
        world.frame();
        EXPECT_EQ(gen->grip->alive, restartAt);
        EXPECT_EQ(gen->state, ZT_SPITGEN_ROUND) << maximum;
        delete gen;
        while (auto* spit = world.first<ZTEnmSpit>(ZT_LAYER_AIR)) delete spit;
    }
}

TEST_F(Spits, ABlowOfSixScoresThirtyAndShowsSixWithNoScorchOrJoint) {
    gWork->playerPos = {320.0f, 400.0f, 0.0f};
    gWork->score = 0;
    gWork->tail = 2;
    auto* gen = new ZTEnmSpitGen(3, 24);
    auto* spit = new ZTEnmSpit(gen->grip, {320.0f, 100.0f, 0.0f});
    EXPECT_EQ(gen->grip->alive, 1);
    EXPECT_EQ(gen->grip->references, 2);

    // Three points leave it flying with one life.
    new ZTCounterShot(spit->position, {0.0f, 0.0f, 0.0f}, 3);
    world.frames(2);
    ASSERT_EQ(spits().size(), 1u);
    EXPECT_EQ(spit->life, 1);
    world.frames(20);

    world.takeSounds();
    new ZTCounterShot(spit->position, {0.0f, 0.0f, 0.0f}, 6);
    world.frames(2);
    EXPECT_TRUE(spits().empty());
    EXPECT_EQ(gWork->score, 30u);
    ASSERT_NE(world.first<ZTRate>(ZT_LAYER_RATES), nullptr);
    EXPECT_STREQ(world.first<ZTRate>(ZT_LAYER_RATES)->text, ":6");
    auto* baku = world.first<ZTBaku>(ZT_LAYER_BLASTS);
    ASSERT_NE(baku, nullptr);
    EXPECT_EQ(baku->frames, 12);
    EXPECT_EQ(world.first<ZTKoge>(ZT_LAYER_FLOOR), nullptr);
    EXPECT_EQ(gWork->tail, 2);
    const auto sounds = world.takeSounds();
    EXPECT_EQ(std::count(sounds.begin(), sounds.end(), 3), 1);
    EXPECT_EQ(gen->grip->alive, 0);
    EXPECT_EQ(gen->grip->references, 1);
    EXPECT_EQ(gWork->groundCount, 0) << "spits and generators never count as ground enemies";
}

TEST_F(Spits, FiresOnlyAtAPlayerMoreThan64PixelsAwayButRestartsItsTimerAlways) {
    // A grip without a generator: this spit is the only thing in the air.
    auto* spit = new ZTEnmSpit(new ZTEnmSpitGenGrip(), {320.0f, 40.0f, 0.0f});
    ShotWatch watch;
    // A player glued 40 pixels ahead of the spit is never shot at.
    for (int i = 1; i <= 130; ++i) {
        gWork->playerPos = spit->position + 40.0f * kmHeading(spit->angle);
        world.frame();
        EXPECT_TRUE(watch.fresh().empty()) << "frame " << i;
        ASSERT_FALSE(ztOutsideField(spit->position)) << "a shot made outside would go unseen";
        if (i == 121) {
            EXPECT_EQ(spit->fireTimer, 0);
        }
    }
    EXPECT_EQ(spit->fireTimer, 9);

    // Back at the top with the player far below (and the spit's shots inside the field), the
    // next turn of the timer fires one large shot along the spit's heading.
    spit->position = {320.0f, 60.0f, 0.0f};
    spit->angle = 0.0f;
    gWork->playerPos = {320.0f, 1000.0f, 0.0f};
    std::vector<int> fired;
    for (int i = 1; i <= 120; ++i) {
        world.frame();
        for (ZTEShot* shot : watch.fresh()) {
            fired.push_back(i);
            EXPECT_EQ(shot->type, 1);
            EXPECT_NEAR(kmLength(shot->velocity), 2.0f, 1e-5f);
            EXPECT_NEAR(angleGap(shotAngle(shot), spit->angle), 0.0f, 1e-5f);
            EXPECT_LT(kmDistance(shot->position - shot->velocity, spit->position), 1e-3f);
        }
    }
    EXPECT_EQ(fired, (std::vector<int>{112}));
    EXPECT_EQ(spit->fireTimer, 8);
}

TEST_F(Spits, SpitHomesInAndComesBackAfterOvershooting) {
    auto* spit = new ZTEnmSpit(new ZTEnmSpitGenGrip(), {100.0f, -64.0f, 0.0f});
    gWork->playerPos = {500.0f, 300.0f, 0.0f};
    float nearest = 1e9f;
    int passes = 0;
    bool wasNear = false;
    for (int i = 0; i < 1200; ++i) {
        world.frame();
        const float d = kmDistance(spit->position, gWork->playerPos);
        nearest = std::min(nearest, d);
        const bool near = d < 80.0f;
        if (near && !wasNear) passes += 1;
        wasNear = near;
    }
    // It flies at 3 pixels a frame and turns slowly, so it circles the player, passing it again
    // and again, and never leaves for good.
    EXPECT_LT(nearest, 40.0f);
    EXPECT_GE(passes, 3);
    EXPECT_LT(kmDistance(spit->position, gWork->playerPos), 400.0f);
}

TEST_F(Spits, TheGripOutlivesWhicheverHolderGoesLast) {
    gWork->playerPos = {320.0f, 2000.0f, 0.0f};
    const int before = ksmCount;
    auto* gen = new ZTEnmSpitGen(3, 24);
    world.frames(97);
    ASSERT_EQ(spits().size(), 1u);
    // It entered above the top edge, somewhere over the middle 512 pixels, and flew one step.
    EXPECT_LT(spits()[0]->position.y, -60.0f);
    EXPECT_GT(spits()[0]->position.x, 60.0f);
    EXPECT_LT(spits()[0]->position.x, 580.0f);
    EXPECT_EQ(ksmCount, before + 1);
    ZTEnmSpitGenGrip* grip = gen->grip;
    delete gen; // as at the end of a scene: the generator goes first
    EXPECT_EQ(ksmCount, before + 1);
    EXPECT_EQ(grip->references, 1);
    world.frames(5);
    shootDown(spits()[0]);
    EXPECT_EQ(ksmCount, before) << "the last spit freed the grip";
}

} // namespace
