#include <gtest/gtest.h>

#include "clock.h"
#include "input.h"
#include "platform/headless/headless.h"
#include "random.h"

namespace {

class Input : public ::testing::Test {
protected:
    HeadlessPlatform platform;
    KilnInput input;
    void key(uint8_t scan, bool down) { platform.input.keys[scan] = down ? 0x80 : 0; }
};

TEST_F(Input, HeldEveryFramePushedOnce) {
    key(KI_KEY_Z, true);
    input.kiUpdate();
    EXPECT_TRUE(input.kiIsHeld(KI_BUTTON1));
    EXPECT_TRUE(input.kiIsPushed(KI_BUTTON1));
    input.kiUpdate();
    EXPECT_TRUE(input.kiIsHeld(KI_BUTTON1));
    EXPECT_FALSE(input.kiIsPushed(KI_BUTTON1));
    key(KI_KEY_Z, false);
    input.kiUpdate();
    key(KI_KEY_Z, true);
    input.kiUpdate();
    EXPECT_TRUE(input.kiIsPushed(KI_BUTTON1 | KI_BUTTON2));
    platform.input.keys[KI_KEY_X] = 0x7f; // only bit 7 means down
    input.kiUpdate();
    EXPECT_FALSE(input.kiIsHeld(KI_BUTTON2));
}

TEST_F(Input, KeyboardAndPadAreOred) {
    platform.input.padAttached = true;
    key(KI_KEY_LEFT, true);
    platform.input.pad.x = 500;
    platform.input.pad.y = -499;
    platform.input.pad.buttons = 1u << KP_BACK;
    input.kiUpdate();
    EXPECT_EQ(input.kimNow, KI_LEFT | KI_RIGHT | KI_BUTTON7);
    platform.input.pad.x = 499;
    platform.input.pad.y = -500;
    input.kiUpdate();
    EXPECT_EQ(input.kimNow, KI_LEFT | KI_UP | KI_BUTTON7);
    platform.input.pad.y = 500;
    platform.input.pad.x = -500;
    key(KI_KEY_LEFT, false);
    key(KI_KEY_ESCAPE, true);
    key(KI_KEY_TAB, true);
    input.kiUpdate();
    EXPECT_EQ(input.kimNow, KI_DOWN | KI_LEFT | KI_BUTTON7 | KI_ESCAPE | KI_TAB);
    platform.input.keysFail = true; // a lost keyboard adds nothing that frame
    input.kiUpdate();
    EXPECT_EQ(input.kimNow, KI_DOWN | KI_LEFT | KI_BUTTON7);
}

TEST_F(Input, PadButtonsThroughTheBindingsAndStartIsNoButton) {
    platform.input.padAttached = true;
    struct Case {
        int button;
        uint32_t word;
    };
    const Case cases[] = {
        {KP_A, KI_BUTTON1},
        {KP_B, KI_BUTTON2},
        {KP_X, KI_BUTTON3},
        {KP_Y, KI_BUTTON4},
        {KP_DPAD_UP, KI_UP},
        {KP_DPAD_DOWN, KI_DOWN},
        {KP_DPAD_LEFT, KI_LEFT},
        {KP_DPAD_RIGHT, KI_RIGHT},
        {KP_LEFT_SHOULDER, KI_BUTTON5},
        {KP_RIGHT_SHOULDER, KI_BUTTON6},
        {KP_START, 0},
        {KP_GUIDE, 0},
    };
    for (const Case& c : cases) {
        platform.input.pad.buttons = 1u << c.button;
        input.kiUpdate();
        EXPECT_EQ(input.kimNow, c.word) << "pad button " << c.button;
    }
}

TEST_F(Input, ReboundKeysDriveTheWordAndNoKeyDrivesTwoButtons) {
    constexpr uint8_t W = 0x11, A = 0x1E, Space = 0x39;
    ASSERT_TRUE(kiBindKey(input.kimBindings, 4, W));        // up on W
    ASSERT_TRUE(kiBindKey(input.kimBindings, 0, KI_KEY_X)); // fire on X: X's button gets Z
    EXPECT_FALSE(kiBindKey(input.kimBindings, 6, Space));   // the replay viewer's
    EXPECT_FALSE(kiBindKey(input.kimBindings, 6, KI_KEY_ESCAPE));
    EXPECT_FALSE(kiBindKey(input.kimBindings, 6, KI_KEY_P));
    EXPECT_FALSE(kiBindPadButton(input.kimBindings, 0, KP_START));
    ASSERT_TRUE(kiBindPadButton(input.kimBindings, 0, KP_RIGHT_SHOULDER));
    EXPECT_EQ(input.kimBindings.key[6], KI_KEY_LEFT);
    struct Case {
        uint8_t scan;
        uint32_t word;
    };
    const Case cases[] = {
        {W, KI_UP}, {KI_KEY_UP, 0},        {KI_KEY_X, KI_BUTTON1}, {KI_KEY_Z, KI_BUTTON2},
        {A, 0},     {KI_KEY_LEFT, KI_LEFT}};
    for (const Case& c : cases) {
        key(c.scan, true);
        input.kiUpdate();
        EXPECT_EQ(input.kimNow, c.word) << "scan " << int{c.scan};
        key(c.scan, false);
    }
    platform.input.padAttached = true;
    platform.input.pad.buttons = 1u << KP_RIGHT_SHOULDER; // fire, and its own place as ever
    input.kiUpdate();
    EXPECT_EQ(input.kimNow, KI_BUTTON1 | KI_BUTTON6);
    platform.input.pad.buttons = 1u << KP_A; // fire left A: it drives nothing now
    input.kiUpdate();
    EXPECT_EQ(input.kimNow, 0u);
}

TEST_F(Input, MenusKeepArrowsZAndXWhateverTheBindings) {
    constexpr uint8_t W = 0x11;
    ASSERT_TRUE(kiBindKey(input.kimBindings, 0, KI_KEY_X)); // fire on X, the second on Z
    ASSERT_TRUE(kiBindKey(input.kimBindings, 4, W));
    ASSERT_TRUE(kiBindPadButton(input.kimBindings, 0, KP_RIGHT_SHOULDER));
    struct Case {
        uint8_t scan;
        int button; // -1: none
        uint32_t play, menu;
    };
    const Case cases[] = {
        {KI_KEY_Z, -1, KI_BUTTON2, KI_BUTTON1},
        {KI_KEY_X, -1, KI_BUTTON1, KI_BUTTON2},
        {KI_KEY_UP, -1, 0, KI_UP},
        {W, -1, KI_UP, KI_UP},
        {0, KP_A, 0, KI_BUTTON1},
        {0, KP_RIGHT_SHOULDER, KI_BUTTON1 | KI_BUTTON6, KI_BUTTON1 | KI_BUTTON6},
    };
    platform.input.padAttached = true;
    for (const Case& c : cases) {
        for (bool menu : {false, true}) {
            input.kimMenuKeys = menu;
            if (c.scan) key(c.scan, true);
            platform.input.pad.buttons = c.button >= 0 ? 1u << c.button : 0;
            input.kiUpdate();
            EXPECT_EQ(input.kimNow, menu ? c.menu : c.play)
                << "scan " << int{c.scan} << " button " << c.button << (menu ? " menu" : " play");
            if (c.scan) key(c.scan, false);
        }
    }
}

// A scripted player's keys read back as the word it held, whatever it held before.
TEST_F(Input, HeldWordsReadBackThroughTheDefaultBindings) {
    const uint32_t words[] = {KI_BUTTON1,         KI_BUTTON2 | KI_BUTTON3,
                              KI_BUTTON4 | KI_UP, KI_DOWN | KI_LEFT,
                              KI_RIGHT | KI_TAB,  KI_ESCAPE,
                              KI_UP | KI_BUTTON1, 0};
    for (uint32_t held : words) {
        kiHoldWord(held, platform.input.keys);
        input.kiUpdate();
        EXPECT_EQ(input.kimNow, held) << std::hex << held;
    }
}

TEST_F(Input, SwallowedButtonsStayOutUntilLetGo) {
    key(KI_KEY_Z, true);
    key(KI_KEY_LEFT, true); // a direction is never swallowed
    input.kimRecording = true;
    input.kiSwallowHeld();
    input.kiUpdate();
    input.kiUpdate();
    key(KI_KEY_X, true); // a new press is seen at once
    input.kiUpdate();
    key(KI_KEY_Z, false);
    input.kiUpdate();
    key(KI_KEY_Z, true);
    input.kiUpdate();
    for (uint32_t& w : input.kimRecordBuf) {
        EXPECT_TRUE(w & KI_LEFT);
        w &= ~KI_LEFT;
    }
    EXPECT_EQ(input.kimRecordBuf,
              (std::vector<uint32_t>{0, 0, KI_BUTTON2, KI_BUTTON2, KI_BUTTON1 | KI_BUTTON2}));
}

TEST_F(Input, RecordingAppendsEveryPolledWord) {
    input.kimRecording = true;
    key(KI_KEY_C, true);
    input.kiUpdate();
    key(KI_KEY_C, false);
    input.kiUpdate();
    EXPECT_EQ(input.kimRecordBuf, (std::vector<uint32_t>{KI_BUTTON3, 0}));
    EXPECT_EQ(input.kimCursor, 2);
}

TEST_F(Input, PlaybackWrapsAndHidesLiveKeys) {
    input.kimPlayBuf = {KI_BUTTON1, 0, KI_UP};
    input.kimCursor = 0;
    input.kimUsePlay = true;
    key(KI_KEY_X, true);
    std::vector<uint32_t> seen;
    for (int i = 0; i < 5; ++i) {
        input.kiUpdate();
        seen.push_back(input.kimPlayNow);
        EXPECT_FALSE(input.kiIsHeld(KI_BUTTON2));
    }
    EXPECT_EQ(seen, (std::vector<uint32_t>{KI_BUTTON1, 0, KI_UP, KI_BUTTON1, 0}));
    // The live words kept moving meanwhile: X has been held for frames, so it is no push now.
    input.kimUsePlay = false;
    EXPECT_TRUE(input.kiIsHeld(KI_BUTTON2));
    EXPECT_FALSE(input.kiIsPushed(KI_BUTTON2));
}

TEST_F(Input, EmptyPlaybackGivesZero) {
    for (int i = 0; i < 3; ++i) {
        input.kiUpdate(); // the initial buffer holds a single 0
        EXPECT_EQ(input.kimPlayNow, 0u);
    }
    input.kimPlayBuf.clear();
    input.kimCursor = 5;
    input.kiUpdate();
    EXPECT_EQ(input.kimPlayNow, 0u);
    EXPECT_EQ(input.kimCursor, 0);
}

TEST(Clock, HoldsSixtyFramesAndDropsLateOnes) {
    HeadlessPlatform platform;
    platform.timer.now = 100000;
    KUClocker clock;
    clock.kuWait(); // the first wait returns at once
    EXPECT_EQ(platform.timer.sleeps, 0);
    clock.kuCount(); // and the first count closes a window at once
    EXPECT_EQ(clock.fps, 1u);

    // Sixty paced frames take 1000 ms exactly.
    const uint32_t start = platform.timer.now;
    for (int i = 0; i < 60; ++i) clock.kuWait();
    EXPECT_EQ(platform.timer.now - start, 1000u);
    EXPECT_EQ(clock.carry, 0u);

    // A 40 ms frame is followed at once by the next; the rest is carried in thirds.
    clock.carry = 7;
    clock.lastFrame = platform.timer.now;
    platform.timer.advance(40);
    const int sleeps = platform.timer.sleeps;
    clock.kuWait();
    EXPECT_EQ(platform.timer.sleeps, sleeps);
    EXPECT_EQ(clock.carry, (120u + 7u) % 50u);
}

TEST(Clock, FpsCountsFramesOfTheLastSecond) {
    HeadlessPlatform platform;
    platform.timer.now = 5000;
    KUClocker clock;
    clock.kuCount();
    // The first window also counts the frame on its closing edge; later ones hold exactly 60.
    for (int i = 0; i < 121; ++i) {
        clock.kuWait();
        clock.kuCount();
    }
    EXPECT_EQ(platform.timer.now, 7000u);
    EXPECT_EQ(clock.fps, 60u);
}

TEST(Clock, WrapOfTheTimerIsHarmless) {
    HeadlessPlatform platform;
    platform.timer.now = 0xFFFFFFF0u;
    KUClocker clock;
    clock.lastFrame = platform.timer.now;
    clock.kuWait();
    EXPECT_EQ(platform.timer.now, 0xFFFFFFF0u + 17u); // 17 ms: 51 thirds, carry 1
    EXPECT_EQ(clock.carry, 1u);
}

TEST(Random, SequenceAfterSeeding920) {
    kuSeed(920);
    const int expected[] = {31314, 22382, 20070, 22303, 30036, 13027, 20936, 12808};
    for (int e : expected) EXPECT_EQ(kuRand(), e);
    kuSeed(920);
    EXPECT_EQ(kuRand(), 31314);
}

} // namespace
