// The pause menu on the main form: what it leaves alone (every frame counter, the record, the
// button words, the scene), where it leads (settings, controls, the title, the end), and when
// it asks first.
#include <gtest/gtest.h>

#include <string>

#include "creator.h"
#include "engine.h"
#include "files.h"
#include "input.h"
#include "language.h"
#include "main_form.h"
#include "menu_text.h"
#include "platform/files.h"
#include "root.h"
#include "scenes/window.h"
#include "sound.h"
#include "statehash.h"
#include "work.h"

namespace {

class Menu : public ::testing::Test {
protected:
    void SetUp() override {
        gPlatform.window = &root.platform.window;
        writeStockTexts();
        form = new TForm1(); // a first start on a desktop that names no language: English
        ASSERT_TRUE(form->AppIdle());
    }
    void TearDown() override {
        delete form;
        gLanguage = ZTLanguage::Japanese; // the form set it from its first start
    }

    HeadlessPlatform& platform() { return root.platform; }
    bool idle() { return form->AppIdle(); }
    // One push of a key as the menu sees it: down for one turn, up for the next.
    void press(uint8_t scan, int times = 1) {
        for (int i = 0; i < times; ++i) {
            platform().input.keys[scan] = 0x80;
            ASSERT_TRUE(idle());
            platform().input.keys[scan] = 0;
            ASSERT_TRUE(idle());
        }
    }
    void pause() {
        platform().window.next.pause = true;
        ASSERT_TRUE(idle());
        ASSERT_TRUE(form->paused);
    }
    // A recorded play in the game scene, as a new game from the title makes it.
    void startPlay() {
        form->work.startGame({.mode = ZTPlayMode::Recorded});
        keNextScene = ZT_SCENE_GAME;
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(idle());
        ASSERT_EQ(keSceneNumber, ZT_SCENE_GAME);
        ASSERT_TRUE(gInput->kimRecording);
    }
    std::string ini() const { return readText("zent.ini"); }

    HeadlessRoot root;
    TForm1* form = nullptr;
};

TEST_F(Menu, NothingOfThePlayMovesWhileTheMenuIsUsed) {
    startPlay();
    const size_t recorded = gInput->kimRecordBuf.size();
    const int32_t cursor = gInput->kimCursor;
    const uint32_t now = gInput->kimNow, old = gInput->kimOld;
    const uint32_t frames = form->clock.frames;
    const uint64_t hash = ztStateHash();
    const uint32_t time = platform().timer.now;

    pause();
    press(KI_KEY_DOWN); // settings: every line changed once
    press(KI_KEY_Z);
    for (int line = 0; line < 7; ++line) {
        press(KI_KEY_RIGHT);
        press(KI_KEY_DOWN);
    }
    press(KI_KEY_X);
    press(KI_KEY_DOWN); // controls: fire on W
    press(KI_KEY_Z);
    press(KI_KEY_Z);
    press(0x11);
    press(KI_KEY_X);
    ASSERT_TRUE(form->paused);
    EXPECT_EQ(form->menu.screen, ZTPauseMenu::Screen::Main);

    EXPECT_EQ(gInput->kimRecordBuf.size(), recorded);
    EXPECT_EQ(gInput->kimCursor, cursor);
    EXPECT_EQ(gInput->kimNow, now);
    EXPECT_EQ(gInput->kimOld, old);
    EXPECT_EQ(form->clock.frames, frames);
    EXPECT_EQ(ztStateHash(), hash);
    EXPECT_EQ(platform().timer.now, time);
    EXPECT_EQ(gInput->kimBindings.key[0], 0x11);

    // P again: the play goes on from the very frame it stood at.
    platform().window.next.pause = true;
    ASSERT_TRUE(idle());
    EXPECT_FALSE(form->paused);
    EXPECT_EQ(gInput->kimRecordBuf.size(), recorded + 1);
    EXPECT_EQ(gInput->kimCursor, cursor + 1);
}

TEST_F(Menu, SettingsTakeEffectAtOnceAndAreWrittenWithinTheirBounds) {
    pause();
    press(KI_KEY_DOWN);
    press(KI_KEY_Z);
    ASSERT_EQ(form->menu.screen, ZTPauseMenu::Screen::Settings);
    const KWindowSettings& window = platform().window.settings;
    SilentAudio& audio = platform().audio;
    voxPlay("snd/MU00.ogg", true); // a looping tune on: music off stops it, on starts it again
    struct Step {
        int line;
        uint8_t key;
        int times;
        const char* written; // in zent.ini at once
    };
    const Step steps[] = {
        {0, KI_KEY_RIGHT, 1, "WindowMode=0\n"},    {1, KI_KEY_RIGHT, 9, "Scale=4\n"},
        {1, KI_KEY_LEFT, 1, "Scale=3\n"},          {2, KI_KEY_Z, 1, "VSync=0\n"},
        {3, KI_KEY_LEFT, 1, "FocusPause=0\n"},     {4, KI_KEY_RIGHT, 1, "BGM=0\n"},
        {5, KI_KEY_LEFT, 3, "BGMVolume=70\n"},     {6, KI_KEY_LEFT, 20, "SEVolume=0\n"},
        {6, KI_KEY_RIGHT, 1, "SEVolume=10\n"},     {7, KI_KEY_RIGHT, 1, "Language=Japanese\n"},
        {7, KI_KEY_LEFT, 1, "Language=English\n"},
    };
    for (const Step& s : steps) {
        while (form->menu.cursor != s.line) press(KI_KEY_DOWN);
        press(s.key, s.times);
        EXPECT_NE(ini().find(s.written), std::string::npos) << s.written;
    }
    EXPECT_FALSE(window.windowed);
    EXPECT_EQ(window.scale, 3); // the pretended display holds 4 at most
    EXPECT_FALSE(window.vsync);
    EXPECT_FALSE(form->focusPause);
    EXPECT_EQ(audio.musicLevel, 70);
    EXPECT_EQ(audio.effectLevel, 10);
    EXPECT_FALSE(audio.playing);
    EXPECT_EQ(gLanguage, ZTLanguage::English);
    press(KI_KEY_UP, 3);
    press(KI_KEY_RIGHT);
    EXPECT_TRUE(audio.playing);
    EXPECT_NE(audio.music.find("snd/MU00.ogg"), std::string::npos);
    EXPECT_NE(ini().find("BGM=1\n"), std::string::npos);
    press(KI_KEY_DOWN, 4);
    press(KI_KEY_Z); // back
    EXPECT_EQ(form->menu.screen, ZTPauseMenu::Screen::Main);
    EXPECT_EQ(form->menu.cursor, 1);
}

TEST_F(Menu, ControlsWaitForAKeyRefuseReservedOnesAndGoBackToTheDefaults) {
    pause();
    press(KI_KEY_DOWN, 2);
    press(KI_KEY_Z);
    ASSERT_EQ(form->menu.screen, ZTPauseMenu::Screen::Controls);
    press(KI_KEY_DOWN, 4); // up
    press(KI_KEY_Z);
    ASSERT_TRUE(form->menu.capturing());
    press(KI_KEY_SPACE); // the replay viewer's: refused, still waiting
    press(KI_KEY_P);
    platform().window.next.pause = true; // P's own job waits too
    ASSERT_TRUE(idle());
    ASSERT_TRUE(form->menu.capturing());
    // W, held a while: up from now on, yet the press that bound it moves no cursor.
    platform().input.keys[0x11] = 0x80;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(idle());
    platform().input.keys[0x11] = 0;
    ASSERT_TRUE(idle());
    EXPECT_FALSE(form->menu.capturing());
    EXPECT_EQ(form->menu.cursor, 4);
    EXPECT_EQ(gInput->kimBindings.key[4], 0x11);
    EXPECT_NE(ini().find("[Keys]\nFire=#44\nSecond=#45\nEdit1=#46\nEdit2=#47\nUp=#17\n"),
              std::string::npos);

    press(KI_KEY_Z); // the pad: right shoulder for up
    platform().input.padAttached = true;
    platform().input.pad.buttons = 1u << KP_RIGHT_SHOULDER;
    ASSERT_TRUE(idle());
    platform().input.pad.buttons = 0;
    ASSERT_TRUE(idle());
    EXPECT_EQ(gInput->kimBindings.pad[4], KP_RIGHT_SHOULDER);

    press(KI_KEY_Z); // nothing within the time: the wait ends, nothing changes
    platform().timer.advance(ZTPauseMenu::captureTimeout);
    ASSERT_TRUE(idle());
    EXPECT_FALSE(form->menu.capturing());
    EXPECT_EQ(gInput->kimBindings.key[4], 0x11);

    press(KI_KEY_DOWN, 4); // the defaults, driven by the arrows and Z whatever the bindings
    press(KI_KEY_Z);
    EXPECT_EQ(gInput->kimBindings, kiDefaultBindings());
    EXPECT_NE(ini().find("Up=#200\n"), std::string::npos);
}

TEST_F(Menu, ZAndXKeepTheirMeaningInMenusWhateverTheBindings) {
    ASSERT_TRUE(kiBindKey(gInput->kimBindings, 0, KI_KEY_X)); // fire on X, the second on Z
    ASSERT_TRUE(kiBindKey(gInput->kimBindings, 4, 0x11));     // up on W
    pause();
    press(KI_KEY_DOWN);
    press(KI_KEY_Z);
    ASSERT_EQ(form->menu.screen, ZTPauseMenu::Screen::Settings);
    press(0x11); // a bound key works too
    EXPECT_EQ(form->menu.cursor, 8);
    press(KI_KEY_X);
    EXPECT_EQ(form->menu.screen, ZTPauseMenu::Screen::Main);
}

TEST_F(Menu, TheGamesOwnMenusKeepZWhileThePlayUsesTheBindings) {
    ASSERT_TRUE(kiBindKey(gInput->kimBindings, 0, KI_KEY_X)); // fire on X, the second on Z
    press(KI_KEY_Z);                                          // the power-on scene's push
    press(KI_KEY_Z);
    ASSERT_EQ(keSceneNumber, ZT_SCENE_TITLE);
    press(KI_KEY_Z); // "PRESS BUTTON"
    ASSERT_TRUE(idle());
    EXPECT_NE(ZTWindow::top, nullptr); // the title's menu is open
    startPlay();
    platform().input.keys[KI_KEY_Z] = 0x80;
    ASSERT_TRUE(idle());
    EXPECT_EQ(gInput->kimRecordBuf.back(), static_cast<uint32_t>(KI_BUTTON2));
}

TEST_F(Menu, LeavingAPlayAsksOnceAndKeepsNothingOfIt) {
    startPlay();
    const size_t entries = form->work.scoreTable.size();
    form->work.score = 999999; // would enter the table, had the play ended
    pause();
    press(KI_KEY_DOWN, 3);
    press(KI_KEY_Z);
    ASSERT_EQ(form->menu.screen, ZTPauseMenu::Screen::Confirm);
    EXPECT_EQ(form->menu.cursor, 1); // on "no"
    press(KI_KEY_Z);
    EXPECT_EQ(form->menu.screen, ZTPauseMenu::Screen::Main);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_GAME);
    press(KI_KEY_Z);
    press(KI_KEY_UP);
    press(KI_KEY_Z);
    EXPECT_FALSE(form->paused);
    EXPECT_FALSE(gInput->kimRecording);
    ASSERT_TRUE(idle());
    EXPECT_EQ(keSceneNumber, ZT_SCENE_TITLE);
    EXPECT_EQ(form->work.scoreTable.size(), entries);
    for (const ZThiScore& s : form->work.scoreTable) EXPECT_FALSE(s.isNew);
    EXPECT_TRUE(pfList("rep/*.rep").empty());

    // Off a play, nothing is asked: quit ends the program at once.
    pause();
    press(KI_KEY_DOWN, 4);
    platform().input.keys[KI_KEY_Z] = 0x80;
    EXPECT_FALSE(idle());
    EXPECT_FALSE(form->running);
}

TEST_F(Menu, EscapeInARecordedPlayOpensTheMenuOnQuitAndASecondOneQuits) {
    startPlay();
    platform().input.keys[KI_KEY_ESCAPE] = 0x80;
    ASSERT_TRUE(idle());
    EXPECT_TRUE(form->running);
    EXPECT_TRUE(form->paused);
    EXPECT_EQ(form->menu.cursor, 4);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_GAME);
    ASSERT_TRUE(idle()); // still held: no second push yet
    platform().input.keys[KI_KEY_ESCAPE] = 0;
    ASSERT_TRUE(idle());
    platform().input.keys[KI_KEY_ESCAPE] = 0x80;
    EXPECT_FALSE(idle());
    EXPECT_FALSE(form->running);
}

TEST_F(Menu, AWatchedReplayStopsWithoutAQuestion) {
    form->work.startGame({.mode = ZTPlayMode::Replay});
    keNextScene = ZT_SCENE_GAME;
    for (int i = 0; i < 3; ++i) ASSERT_TRUE(idle());
    ASSERT_EQ(keSceneNumber, ZT_SCENE_GAME);
    pause();
    press(KI_KEY_DOWN, 3);
    press(KI_KEY_Z);
    EXPECT_FALSE(form->paused);
    ASSERT_TRUE(idle());
    EXPECT_EQ(keSceneNumber, ZT_SCENE_TITLE);
}

TEST_F(Menu, DrawnOverTheLastPictureOnlyWhenItChanges) {
    platform().renderer.draws.clear();
    pause();
    EXPECT_FALSE(platform().renderer.draws.empty());
    EXPECT_EQ(platform().renderer.reshows, 1);
    const int presents = platform().renderer.presents;
    ASSERT_TRUE(idle()); // nothing changed, no time passed: nothing drawn again
    EXPECT_EQ(platform().renderer.presents, presents);
    press(KI_KEY_DOWN);
    EXPECT_GT(platform().renderer.presents, presents);
}

} // namespace

namespace {
TEST_F(Menu, APadAloneDrivesTheScreens) {
    platform().input.padAttached = true;
    auto pad = [this](int button) {
        platform().input.pad.buttons = 1u << button;
        ASSERT_TRUE(idle());
        platform().input.pad.buttons = 0;
        ASSERT_TRUE(idle());
    };
    // Whatever the pad's bindings say, the d-pad, A and B keep the menus.
    gInput->kimBindings.pad[0] = KP_RIGHT_SHOULDER;
    gInput->kimBindings.pad[5] = KP_LEFT_SHOULDER;
    pause();
    pad(KP_DPAD_DOWN);
    pad(KP_A);
    ASSERT_EQ(form->menu.screen, ZTPauseMenu::Screen::Settings);
    pad(KP_DPAD_RIGHT);
    EXPECT_FALSE(form->windowMode);
    pad(KP_B);
    EXPECT_EQ(form->menu.screen, ZTPauseMenu::Screen::Main);
    pad(KP_B); // back from the main screen: the game goes on
    EXPECT_FALSE(form->paused);
}
} // namespace

namespace {
// Every screen of the menu stays inside the picture, the longest names and values included, in
// either language.
class MenuFits : public Menu, public ::testing::WithParamInterface<bool> {
protected:
    void TearDown() override { Menu::TearDown(); }
};

TEST_P(MenuFits, EveryScreenFitsThePicture) {
    gLanguage = GetParam() ? ZTLanguage::English : ZTLanguage::Japanese;
    KIBindings wide = kiDefaultBindings();
    wide.pad[0] = KP_RIGHT_SHOULDER;
    wide.pad[1] = KP_LEFT_SHOULDER;
    gInput->kimBindings = wide;
    form->windowMode = false; // the longer of the two values
    startPlay();
    pause();
    auto fits = [this](const char* what) {
        RecordingRenderer& r = platform().renderer;
        ASSERT_FALSE(r.draws.empty()) << what;
        for (const auto& d : r.draws)
            for (const KVertex& v : d.vertices) {
                EXPECT_TRUE(v.x >= 0.0f && v.x <= 640.0f && v.y >= 0.0f && v.y <= 480.0f)
                    << what << " at " << v.x << ", " << v.y;
            }
        r.draws.clear();
    };
    platform().renderer.draws.clear();
    press(KI_KEY_DOWN);
    fits("main");
    press(KI_KEY_DOWN);
    press(KI_KEY_DOWN);
    press(KI_KEY_Z);
    fits("leaving");
    press(KI_KEY_X);
    press(KI_KEY_UP, 2);
    press(KI_KEY_Z);
    fits("settings");
    press(KI_KEY_X);
    press(KI_KEY_DOWN);
    press(KI_KEY_Z);
    fits("controls");
    for (int line = 0; line < kiBindCount; ++line) {
        press(KI_KEY_Z);
        fits("waiting for a key");
        platform().timer.advance(ZTPauseMenu::captureTimeout);
        ASSERT_TRUE(idle());
        press(KI_KEY_DOWN);
    }
}

INSTANTIATE_TEST_SUITE_P(Languages, MenuFits, ::testing::Values(false, true),
                         [](const auto& info) { return info.param ? "English" : "Japanese"; });
} // namespace
