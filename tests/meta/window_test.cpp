// The text window: typing, closing, stacking, menus and the frame that follows the text.
#include <gtest/gtest.h>

#include <utility>

#include "meta_world.h"
#include "scenes/window.h"

namespace {
// Shift-JIS "あいう" and "えお".
const std::string aiu = "\x82\xa0\x82\xa2\x82\xa4";
const std::string eo = "\x82\xa6\x82\xa8";
} // namespace

TEST(Window, MessageIgnoresThePushUntilTheWholeTextIsShown) {
    ObjectBench bench;
    auto* w = new ZTWindow(1, 9, 0, aiu + "|p", 1); // 8 bytes at one a frame
    bench.push(KI_BUTTON1);
    bench.push(KI_BUTTON1);
    bench.push(KI_BUTTON1);
    EXPECT_EQ(w->shown, 6);
    EXPECT_TRUE(ZTWindow::alive(w)) << "a push while typing must not close the window";
    bench.frames(2);
    ASSERT_EQ(w->shown, 8);
    EXPECT_EQ(w->state, 0) << "pushes during typing are not remembered";
    bench.hold(KI_BUTTON1);
    bench.frame();
    EXPECT_TRUE(ZTWindow::alive(w));
    bench.frame(); // closes in the frame after the push
    EXPECT_FALSE(ZTWindow::alive(w));
    EXPECT_EQ(ZTWindow::top, nullptr);
    EXPECT_EQ(ZTWindow::selection, -1) << "the closed window is gone, so nothing is chosen";
}

TEST(Window, OnlyTheNewestWindowReactsAndTheOlderFrameSlowsToAStop) {
    ObjectBench bench;
    auto* older = new ZTWindow(3, 1, 3, "A|nB|nC", 0);
    auto* newer = new ZTWindow(5, 3, 3, "D|nE|nF", 0);
    EXPECT_EQ(ZTWindow::top, newer);
    bench.push(KI_DOWN);
    EXPECT_EQ(newer->cursor, 1);
    EXPECT_EQ(older->cursor, 0);
    bench.frames(70);
    EXPECT_EQ(older->brightness, 0);
    EXPECT_EQ(newer->brightness, 64);
    const int phase = older->phase;
    bench.frames(10);
    EXPECT_EQ(older->phase, phase) << "the older frame stops animating";

    // Once the newer window is gone the older one is on top and listens again.
    ZTWindow::close(newer);
    bench.frame();
    EXPECT_FALSE(ZTWindow::alive(newer));
    EXPECT_EQ(ZTWindow::top, older);
    bench.push(KI_DOWN);
    EXPECT_EQ(older->cursor, 1);
    EXPECT_EQ(older->brightness, 64);
}

TEST(Window, RisesOnceWhenTheFourthLineWouldLeaveThePicture) {
    ObjectBench bench;
    auto* three = new ZTWindow(1, 9, 0, aiu + "|n" + eo + "|n" + aiu + "|n" + eo, 0);
    bench.frames(120);
    EXPECT_FLOAT_EQ(three->home.y, 288.0f - 64.0f);
    EXPECT_NEAR(three->position.y, 224.0f, 0.5f);
    EXPECT_EQ(three->height, 7);
    EXPECT_EQ(three->width, 3);
    ZTWindow::close(three);
    bench.frame();

    auto* two = new ZTWindow(1, 9, 0, aiu + "|n" + eo + "|n" + aiu, 0);
    bench.frames(120);
    EXPECT_FLOAT_EQ(two->home.y, 288.0f);
    EXPECT_EQ(two->height, 5);
}

TEST(Window, FrameGrowsWithTheTextAndHalfACharacterIsNotDrawn) {
    ObjectBench bench;
    auto* w = new ZTWindow(1, 9, 0, aiu + eo, 1);
    bench.frame(); // one byte: half of "あ"
    EXPECT_EQ(w->shown, 1);
    EXPECT_EQ(bench.queued(0x82a0 - 32805), 0);
    bench.frame();
    EXPECT_EQ(bench.queued(0x82a0 - 32805), 1);
    // The frames run since the last check, and the width in characters the frame has then.
    const std::pair<int, int> growth[] = {{0, 1}, {2, 2}, {6, 5}};
    for (const auto& [frames, width] : growth) {
        bench.frames(frames);
        EXPECT_EQ(w->width, width) << "after " << frames << " more frames";
    }
    EXPECT_EQ(w->height, 1);
    // The frame is drawn before the text, so it shows the new width one frame later.
    bench.frame();
    EXPECT_EQ(bench.queued(160) + bench.queued(161) + bench.queued(162) + bench.queued(163), 5);
}

TEST(Window, MenuWrapsAndPublishesItsChoiceAfterTheShake) {
    ObjectBench bench;
    auto* menu = new ZTWindow(3, 1, 5, "A|nB|nC|nD|nE", 0);
    bench.push(KI_UP);
    EXPECT_EQ(menu->cursor, 4) << "up from the first line selects the fifth";
    bench.push(KI_DOWN);
    EXPECT_EQ(menu->cursor, 0) << "down from the fifth line selects the first";
    bench.push(KI_DOWN);
    bench.push(KI_DOWN);
    EXPECT_EQ(menu->cursor, 2);

    bench.hold(KI_BUTTON1);
    bench.frame();
    bench.hold(0);
    EXPECT_EQ(menu->state, 2);
    int frames = 0;
    while (ZTWindow::selection == -1 && frames < 100) {
        bench.frame();
        frames += 1;
        if (ZTWindow::selection == -1) {
            EXPECT_NE(menu->shakeSize, 0.0f);
        }
    }
    EXPECT_EQ(ZTWindow::selection, 2);
    EXPECT_GE(frames, 24);
    EXPECT_LE(frames, 25);
    // While the owner reacts the menu re-arms and takes input again.
    bench.frames(2);
    EXPECT_EQ(menu->state, 1);
    bench.push(KI_DOWN);
    EXPECT_EQ(menu->cursor, 3);

    ZTWindow::close(menu);
    EXPECT_EQ(ZTWindow::selection, 2) << "still chosen until the window is gone";
    bench.frame();
    EXPECT_EQ(ZTWindow::selection, -1);
}

TEST(Window, OneByteCharactersStayInTheFont) {
    ObjectBench bench;
    new ZTWindow(1, 9, 0, std::string("A\x01\x1f\x80", 4), 0);
    bench.frame();
    EXPECT_EQ(bench.queued('A' + 155), 1);
    EXPECT_EQ(bench.queued('?' + 155), 3);
    EXPECT_EQ(bench.queued(31 + 155) + bench.queued(128 + 155), 0); // page mark, first glyph
}

// What the window keeps (its place, its rise, its typing) is the same however often it is drawn:
// every frame; every second frame ("Int" 2); one frame in eight, as a fast-forward with Tab draws
// one frame per display refresh; or never. A page of four lines at top cell 9 rises as its
// fourth line is typed, drawn or not.
TEST(Window, WhatItKeepsDoesNotDependOnDrawing) {
    const std::string page = aiu + "|n" + eo + "|n" + aiu + "|n" + eo + "|p";
    const int everyNth[] = {1, 2, 8, 0}; // 0: never drawn
    std::vector<uint64_t> reference;
    for (int nth : everyNth) {
        ObjectBench bench;
        auto* w = new ZTWindow(1, 9, 0, page, 1);
        std::vector<uint64_t> hashes;
        for (int frame = 1; frame <= 120; ++frame) {
            bench.frame(nth != 0 && frame % nth == 0);
            KUHash hash;
            w->kbHash(hash);
            hashes.push_back(hash.value);
        }
        EXPECT_FLOAT_EQ(w->home.y, 224.0f) << "drawn one frame in " << nth;
        EXPECT_EQ(w->height, 7);
        if (reference.empty()) {
            reference = hashes;
            continue;
        }
        for (size_t i = 0; i < hashes.size(); ++i)
            ASSERT_EQ(hashes[i], reference[i]) << "frame " << i + 1 << ", drawn one in " << nth;
    }
}
