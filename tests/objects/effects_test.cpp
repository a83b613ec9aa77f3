// Explosions, pop-ups and the player's and enemies' shot effects.
#include <gtest/gtest.h>

#include "object_test.h"
#include "objects/counter_shot.h"
#include "objects/effects.h"
#include "objects/eshot.h"
#include "objects/layers.h"
#include "objects/pshot.h"
#include "objects/wall.h"
#include "random.h"

namespace {

class Effects : public ObjectTest {
protected:
    // Runs `frames` frames with a T still in `layer` after them, then one more that ends it.
    template <class T> void expectLastFrameAfter(int frames, ZTLayer layer) {
        world.frames(frames);
        EXPECT_NE(world.first<T>(layer), nullptr) << "gone too soon";
        world.frame();
        EXPECT_EQ(world.first<T>(layer), nullptr) << "still there";
    }
};

TEST_F(Effects, SixteenFrameExplosionDrawsExactlySixteenNumbers) {
    kuSeed(920);
    uint32_t expected = kuRandomState;
    for (int i = 0; i < 16; ++i) expected = expected * 22695477u + 1u;
    new ZTBaku({320.0f, 240.0f, 0.0f}, 1.0f, 16);
    std::vector<int> bitsPerFrame;
    for (int i = 0; i < 20; ++i) {
        const size_t before = world.all<ZTBakuBit>(ZT_LAYER_BLASTS).size();
        world.frame();
        bitsPerFrame.push_back(
            static_cast<int>(world.all<ZTBakuBit>(ZT_LAYER_BLASTS).size() - before));
    }
    EXPECT_EQ(kuRandomState, expected);
    EXPECT_EQ(world.all<ZTBaku>(ZT_LAYER_BLASTS).size(), 0u);
    EXPECT_EQ(bitsPerFrame[0] + bitsPerFrame[4] + bitsPerFrame[8] + bitsPerFrame[12], 4);
    for (ZTBakuBit* bit : world.all<ZTBakuBit>(ZT_LAYER_BLASTS)) {
        EXPECT_LE(kmDistance(bit->position, {320.0f, 240.0f, 0.0f}), 48.0f);
        EXPECT_GE(bit->size, 0.75f);
        EXPECT_LT(bit->size, 1.25f);
    }
}

TEST_F(Effects, FragmentMovesInTheFrameItIsMadeSoItsFirstCellShowsThreeFrames) {
    new ZTBaku({320.0f, 240.0f, 0.0f}, 1.0f, 1);
    world.frame();
    auto* bit = world.first<ZTBakuBit>(ZT_LAYER_BLASTS);
    ASSERT_NE(bit, nullptr);
    EXPECT_EQ(bit->counter, 1);
    world.frames(2);
    EXPECT_EQ(bit->cell, 106);
    world.frame();
    EXPECT_EQ(bit->cell, 107);
    // 16 cells, the last gone after its fourth frame: 64 moves in all.
    expectLastFrameAfter<ZTBakuBit>(59, ZT_LAYER_BLASTS);
}

TEST_F(Effects, RatePopUpSizeAndLifetime) {
    auto* one = new ZTRate({100.0f, 100.0f, 0.0f}, 1);
    auto* hundred = new ZTRate({300.0f, 100.0f, 0.0f}, 100);
    EXPECT_EQ(one->size, 0.53125f);
    EXPECT_EQ(hundred->size, 2.0f);
    EXPECT_STREQ(hundred->text, ":100");
    EXPECT_EQ(hundred->xOffset, -36.0f);
    world.frames(37);
    EXPECT_EQ(world.all<ZTRate>(ZT_LAYER_RATES).size(), 2u);
    world.frame();
    EXPECT_EQ(world.all<ZTRate>(ZT_LAYER_RATES).size(), 0u);
}

TEST_F(Effects, RateDrawsDigitCellsCentredOnItsPosition) {
    auto* rate = new ZTRate({320.0f, 100.0f, 0.0f}, 10);
    for (int i = 0; i < 17; ++i) rate->kbMove();
    gSprite->kspClear();
    rate->kbDraw();
    ASSERT_EQ(gSprite->count(), 3);
    EXPECT_EQ(gSprite->queued(0).cell, 132); // ':'
    EXPECT_EQ(gSprite->queued(1).cell, 123); // '1'
    EXPECT_EQ(gSprite->queued(2).cell, 122); // '0'
    const float left = gSprite->queued(0).x, right = gSprite->queued(2).x;
    EXPECT_LT(left, 320.0f);
    EXPECT_GT(right, 320.0f);
}

TEST_F(Effects, EnemyShotEndsAtTheBorderWithAFlash) {
    auto* shot = new ZTEShot({320.0f, 446.0f, 0.0f}, 0.0f, 2.0f, 1);
    world.frame();
    EXPECT_EQ(shot->position.y, 448.0f);
    EXPECT_EQ(world.all<ZTEShotFlash>(ZT_LAYER_SPARKS).size(), 0u);
    world.frame();
    EXPECT_TRUE(world.all<ZTEShot>(ZT_LAYER_ENEMY_SHOTS).empty());
    auto* flash = world.first<ZTEShotFlash>(ZT_LAYER_SPARKS);
    ASSERT_NE(flash, nullptr);
    EXPECT_EQ(flash->cell, 86);
    EXPECT_EQ(flash->drawScale, 2.0f);
    EXPECT_TRUE(world.takeSounds().empty());
}

TEST_F(Effects, CounterShotFadesAfterSeventeenMovesWithoutAFlash) {
    auto* shot = new ZTCounterShot({100.0f, 240.0f, 0.0f}, {12.0f, 0.0f, 0.0f}, 3);
    const uint32_t state = kuRandomState;
    world.frames(16);
    EXPECT_EQ(shot->position.x, 292.0f);
    world.frame();
    EXPECT_TRUE(world.all<ZTCounterShot>(ZT_LAYER_SHOTS).empty());
    EXPECT_TRUE(world.all<ZTEShotFlash>(ZT_LAYER_SPARKS).empty());
    EXPECT_EQ(kuRandomState, state);
}

TEST_F(Effects, CounterShotEndingAtTheBorderDrawsTwoNumbersAndMakesNoSound) {
    new ZTCounterShot({600.0f, 240.0f, 0.0f}, {12.0f, 0.0f, 0.0f}, 3);
    uint32_t expected = kuRandomState;
    for (int i = 0; i < 2; ++i) expected = expected * 22695477u + 1u;
    world.frame();
    EXPECT_EQ(kuRandomState, expected);
    EXPECT_NE(world.first<ZTEShotFlash>(ZT_LAYER_SPARKS), nullptr);
    EXPECT_TRUE(world.takeSounds().empty());
}

TEST_F(Effects, PlayerShotThatHitsEndsTwelvePixelsOnWithSoundSeven) {
    auto* grip = new ZTPShotGrip();
    auto* shot = new ZTPShot({320.0f, 300.0f, 0.0f}, kmPiF, grip);
    EXPECT_EQ(grip->liveShots, 1);
    world.frame();
    shot->knHit();
    const float touched = shot->position.y;
    world.frame();
    auto* flash = world.first<ZTPShotFlash>(ZT_LAYER_SPARKS);
    ASSERT_NE(flash, nullptr);
    EXPECT_NEAR(flash->position.y, touched - 12.0f - 0.5f, 1e-3f); // the flash moved once
    EXPECT_EQ(world.takeSounds(), std::vector<int>{7});
    EXPECT_EQ(grip->liveShots, 0);
    EXPECT_EQ(grip->references, 1);
    ksRelease(grip);
}

TEST_F(Effects, MuzzleBlastShowsTwoCellsAndIsGoneInItsSixthFrame) {
    auto* blast = new ZTPShotBlast({320.0f, 240.0f, 0.0f}, 0.0f);
    world.frames(3);
    EXPECT_EQ(blast->cell, 5);
    expectLastFrameAfter<ZTPShotBlast>(2, ZT_LAYER_SPARKS);
}

TEST_F(Effects, WallQueuesItsFramePiecesAndShadowsTopAndLeftOnly) {
    ZTWall wall;
    gSprite->kspClear();
    wall.kbDraw();
    EXPECT_EQ(gSprite->count(), 4 + 9 + 9 + 12 + 2);
    int middle = -1;
    for (int i = 0; i < gSprite->count(); ++i)
        if (gSprite->queued(i).cell == 47) middle = i;
    // Corner, nine top pieces, two corners, then the bottom row from the left: its fifth.
    ASSERT_EQ(middle, 16);
    EXPECT_EQ(gSprite->queued(middle).x, 320.0f);
    EXPECT_EQ(gSprite->queued(middle).y, 464.0f);
    gSprite->kspClear();
    wall.kbDrawShadow(0);
    EXPECT_EQ(gSprite->count(), 1 + 9 + 6 + 1);
    for (int i = 0; i < gSprite->count(); ++i) {
        EXPECT_EQ(gSprite->queued(i).colour, 0x60000000u);
        EXPECT_TRUE(gSprite->queued(i).x < 100.0f || gSprite->queued(i).y == 24.0f);
    }
}
} // namespace
