// The main form in a window: the pause and its ways in and out, the focus, the window's size and
// screen, and the language of a first start.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "clock.h"
#include "form_fixture.h"
#include "input.h"
#include "language.h"
#include "main_form.h"

TEST_F(WindowedForm, PauseHoldsEveryFrameCounterAndTheRecord) {
    writeText("zent.ini", "[Sound]\nSEVolume=40\nBGMVolume=70\n");
    start();
    EXPECT_EQ(platform.audio.effectLevel, 40);
    EXPECT_EQ(platform.audio.musicLevel, 70);
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(form->AppIdle());
    gInput->kimRecording = true; // as a play being recorded
    gInput->kimRecordBuf.clear();
    gInput->kimCursor = 0;
    ASSERT_TRUE(form->AppIdle());
    const KUClocker clockBefore = form->clock;
    const uint32_t timeBefore = platform.timer.now;
    const int presentsBefore = platform.renderer.presents;

    pauseEvent();
    platform.input.keys[KI_KEY_Z] = 0x80; // held all through the pause: never polled
    for (int i = 0; i < 50; ++i) ASSERT_TRUE(form->AppIdle());
    EXPECT_TRUE(form->paused);
    EXPECT_TRUE(platform.audio.paused);
    EXPECT_EQ(gInput->kimRecordBuf.size(), 1u);
    EXPECT_EQ(gInput->kimCursor, 1);
    EXPECT_EQ(gInput->kimNow, 0u);
    EXPECT_EQ(form->clock.frames, clockBefore.frames);
    EXPECT_EQ(form->clock.lastFrame, clockBefore.lastFrame);
    EXPECT_EQ(platform.timer.now, timeBefore); // no frame waited on the clock
    // The last picture is shown once, dimmed, with the menu over it; no frame was drawn.
    EXPECT_EQ(platform.renderer.reshows, 1);
    EXPECT_EQ(platform.renderer.reshowShade >> 24, 0x90u);
    EXPECT_EQ(platform.renderer.presents, presentsBefore + 1);
    platform.window.next.exposed = true; // the desktop lost what was on screen
    ASSERT_TRUE(form->AppIdle());
    EXPECT_EQ(platform.renderer.reshows, 2);

    platform.timer.advance(5000); // a long pause: its time is not made up afterwards
    pauseEvent();
    ASSERT_TRUE(form->AppIdle());
    EXPECT_FALSE(form->paused);
    EXPECT_FALSE(platform.audio.paused);
    ASSERT_EQ(gInput->kimRecordBuf.size(), 2u);
    EXPECT_EQ(gInput->kimRecordBuf[1], 0u); // held through the pause: not seen until let go
    const uint32_t resumed = platform.timer.now;
    for (int i = 0; i < 60; ++i) ASSERT_TRUE(form->AppIdle());
    EXPECT_EQ(platform.timer.now - resumed, 1000u);
    EXPECT_EQ(gInput->kimRecordBuf.size(), 62u);
    platform.input.keys[KI_KEY_Z] = 0;
    ASSERT_TRUE(form->AppIdle());
    platform.input.keys[KI_KEY_Z] = 0x80;
    ASSERT_TRUE(form->AppIdle());
    EXPECT_EQ(gInput->kimRecordBuf.back(), static_cast<uint32_t>(KI_BUTTON1));
}

TEST_F(WindowedForm, FocusLossPausesUnlessSwitchedOffAndEscapeStillQuits) {
    start();
    ASSERT_TRUE(form->AppIdle());
    platform.window.next.focusLost = true;
    ASSERT_TRUE(form->AppIdle());
    EXPECT_TRUE(form->paused);
    ASSERT_TRUE(form->AppIdle());
    EXPECT_TRUE(form->paused); // only P or Start resumes
    platform.input.keys[KI_KEY_ESCAPE] = 0x80;
    EXPECT_FALSE(form->AppIdle());
    EXPECT_FALSE(form->running);
    stop();
    EXPECT_NE(readText("zent.ini").find("FocusPause=1\n"), std::string::npos);

    platform.input.keys[KI_KEY_ESCAPE] = 0;
    writeText("zent.ini", "[Screen]\nFocusPause=0\n");
    start();
    ASSERT_TRUE(form->AppIdle());
    platform.window.next.focusLost = true;
    ASSERT_TRUE(form->AppIdle());
    EXPECT_FALSE(form->paused);
}

TEST_F(WindowedForm, ResizedWindowKeepsItsSizeUnlessTheScaleWasChangedByHand) {
    start();
    EXPECT_EQ(platform.window.settings.width, 0); // a first start: the scale decides
    platform.window.settings.width = 1300;        // the player drags the window larger
    platform.window.settings.height = 980;
    stop();
    const std::string ini = readText("zent.ini");
    EXPECT_NE(ini.find("Scale=2\n"), std::string::npos); // the picture's factor in that size
    EXPECT_NE(ini.find("Width=1300\nHeight=980\n"), std::string::npos);
    start();
    EXPECT_EQ(platform.window.settings.width, 1300);
    EXPECT_EQ(platform.window.settings.height, 980);
    EXPECT_EQ(platform.window.settings.scale, 2);
    stop();

    writeText("zent.ini", "[Screen]\nScale=3\n[Form]\nWidth=1300\nHeight=980\n");
    start();
    EXPECT_EQ(platform.window.settings.scale, 3);
    EXPECT_EQ(platform.window.settings.width, 0);
}

TEST_F(WindowedForm, ScreenSwitchIsSavedAsTheWindowMode) {
    start();
    EXPECT_TRUE(platform.window.settings.windowed);
    platform.window.next.switchScreen = true;
    ASSERT_TRUE(form->AppIdle());
    EXPECT_FALSE(platform.window.settings.windowed);
    stop();
    EXPECT_NE(readText("zent.ini").find("WindowMode=0\n"), std::string::npos);
}

// A first start (no zent.ini) speaks the desktop's language when the game has it, else English;
// a file from before there was a choice keeps Japanese whatever the desktop says; the choice is
// written at exit.
TEST_F(WindowedForm, FirstStartTakesTheDesktopsLanguageAndAnOlderFileKeepsJapanese) {
    struct Case {
        bool olderFile;
        std::vector<std::string> locales;
        ZTLanguage want;
        const char* written;
    };
    const Case cases[] = {
        {false, {"ja_JP.UTF-8"}, ZTLanguage::Japanese, "Language=Japanese\n"},
        {false, {"en_GB"}, ZTLanguage::English, "Language=English\n"},
        {false, {"fr-FR"}, ZTLanguage::English, "Language=English\n"},
        {false, {"fr_FR", "ja"}, ZTLanguage::Japanese, "Language=Japanese\n"},
        {false, {}, ZTLanguage::English, "Language=English\n"},
        {true, {"en_US"}, ZTLanguage::Japanese, "Language=Japanese\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.locales.empty() ? "no locale" : c.locales.front());
        std::remove("zent.ini");
        if (c.olderFile) writeText("zent.ini", "[Sound]\nBGM=1\n");
        platform.window.locales = c.locales;
        start();
        EXPECT_EQ(gLanguage, c.want);
        stop();
        EXPECT_NE(readText("zent.ini").find(std::string("[Game]\n") + c.written),
                  std::string::npos);
        platform.window.locales = {"en"};
        start(); // the file now says
        EXPECT_EQ(gLanguage, c.want);
        stop();
    }
    gLanguage = ZTLanguage::Japanese;
}
