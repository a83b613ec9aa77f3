// The power-on scene run frame by frame on the headless platform.
#include <gtest/gtest.h>

#include "creator.h"
#include "engine.h"
#include "frame.h"
#include "input.h"
#include "platform/headless/headless.h"
#include "scenes/poweron.h"
#include "sprite.h"

namespace {
class PowerOn : public ::testing::Test {
protected:
    void SetUp() override {
        gSprite = new KilnSprite(kCellCount, 4096, 4096, 11, 0.0);
        kspDefineAllCells(*gSprite);
        kiInitializeInput();
        keInitializeKilnEngine(&creator, ZT_SCENE_POWERON);
    }
    void TearDown() override {
        keDisposeKilnEngine();
        kiDisposeInput();
        delete gSprite;
        gSprite = nullptr;
    }
    EnginePoweron* scene() { return dynamic_cast<EnginePoweron*>(keScene); }
    // Runs frames until the title is requested; returns the frame number (from 1).
    int framesUntilTitle(int limit) {
        for (int frame = 1; frame <= limit; ++frame) {
            ztFrameStep(true);
            if (keNextScene == ZT_SCENE_TITLE) return frame;
        }
        return -1;
    }

    HeadlessPlatform platform;
    ZTCreator creator;
};

uint32_t alphaOf(const RecordingRenderer::Draw& d) {
    return d.vertices[0].colour >> 24;
}
} // namespace

TEST_F(PowerOn, LogosAppearOnTheirFramesAndTheTitleFollows) {
    for (int frame = 1; frame <= 12; ++frame) ztFrameStep(true);
    ASSERT_NE(scene(), nullptr);
    EXPECT_EQ(scene()->bits[0], nullptr);
    EXPECT_TRUE(platform.renderer.draws.empty()); // a black screen so far

    ztFrameStep(true); // frame 13: the first logo starts fading in, drawn additively
    ASSERT_NE(scene()->bits[0], nullptr);
    EXPECT_EQ(scene()->bits[0]->cell, 23);
    ASSERT_EQ(platform.renderer.draws.size(), 1u);
    const RecordingRenderer::Draw& first = platform.renderer.draws[0];
    EXPECT_EQ(first.blend, KBlend::Additive);
    EXPECT_EQ(first.slot, 0);
    EXPECT_EQ(alphaOf(first), 7u); // 0.03125 * 255
    EXPECT_EQ(first.vertices[0].colour & 0xFFFFFFu, 0xFFFFFFu);
    // Cell 23 is 192 x 64, drawn twice its size about the centre of the screen.
    EXPECT_FLOAT_EQ(first.vertices[0].x, 128.0f);
    EXPECT_FLOAT_EQ(first.vertices[0].y, 176.0f);
    EXPECT_FLOAT_EQ(first.vertices[5].x, 512.0f);
    EXPECT_FLOAT_EQ(first.vertices[5].y, 304.0f);

    for (int frame = 14; frame <= 153; ++frame) ztFrameStep(true);
    EXPECT_EQ(scene()->bits[1], nullptr);
    ztFrameStep(true); // frame 154
    ASSERT_NE(scene()->bits[1], nullptr);
    EXPECT_EQ(scene()->bits[1]->cell, 24);

    for (int frame = 155; frame <= 374; ++frame) {
        ztFrameStep(true);
        ASSERT_EQ(keNextScene, ZT_SCENE_POWERON) << "frame " << frame;
    }
    ztFrameStep(true); // frame 375
    EXPECT_EQ(keNextScene, ZT_SCENE_TITLE);
    EXPECT_EQ(keScene, nullptr); // ended at the end of the frame that asked
}

TEST_F(PowerOn, LogoFadesInHoldsAndFadesOut) {
    EnginePoweron::Bit bit(23);
    int frames = 0;
    while (bit.fade == 0 && frames < 1000) {
        ASSERT_TRUE(bit.step());
        ++frames;
    }
    EXPECT_EQ(frames, 32);
    EXPECT_EQ(bit.alpha, 1.0f);
    while (bit.fade == 1 && frames < 1000) {
        ASSERT_TRUE(bit.step());
        ++frames;
    }
    EXPECT_EQ(frames, 32 + 61);
    int fading = 0;
    while (bit.step() && fading < 1000) ++fading;
    EXPECT_GE(fading, 95); // 1/96 a frame, however the float rounding falls on the last step
    EXPECT_LE(fading, 96);
    EXPECT_LE(bit.alpha, 0.0f);
}

TEST_F(PowerOn, FirstLogoIsGoneBeforeTheSecondEnds) {
    int frame = 0;
    while (frame < 13 + 32 + 61 + 90) ztFrameStep(true), ++frame;
    EXPECT_NE(scene()->bits[0], nullptr);
    while (frame < 13 + 32 + 61 + 98) ztFrameStep(true), ++frame;
    EXPECT_EQ(scene()->bits[0], nullptr);
    EXPECT_NE(scene()->bits[1], nullptr);
}

TEST_F(PowerOn, ButtonOneSkipsToTheTitleAtOnce) {
    for (int frame = 1; frame <= 4; ++frame) ztFrameStep(true);
    platform.input.keys[KI_KEY_Z] = 0x80;
    EXPECT_EQ(framesUntilTitle(1), 1);
}

TEST_F(PowerOn, ButtonHeldFromTheStartCountsAsOnePush) {
    platform.input.keys[KI_KEY_Z] = 0x80;
    EXPECT_EQ(framesUntilTitle(1), 1); // the first poll sees it go down
}

TEST_F(PowerOn, OtherButtonsDoNotSkip) {
    platform.input.keys[KI_KEY_X] = 0x80;
    platform.input.keys[KI_KEY_ESCAPE] = 0; // Escape would end the scene, not skip it
    EXPECT_EQ(framesUntilTitle(300), -1);
}
