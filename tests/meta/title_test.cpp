// The title: "PRESS BUTTON", the five-line menu and the developer menu.
#include <gtest/gtest.h>

#include "engine.h"
#include "meta_world.h"
#include "scenes/title.h"
#include "scenes/window.h"

namespace {
constexpr uint32_t chord = KI_BUTTON3 | KI_BUTTON4;

// Opens the menu and chooses `line` by walking down to it.
void choose(MetaWorld& w, int line) {
    w.push(KI_BUTTON1);
    w.frame(); // the window is made
    for (int i = 0; i < line; ++i) w.push(KI_DOWN);
    w.push(KI_BUTTON1);
}
} // namespace

TEST(Title, HoldingTheButtonFromPowerOnDoesNotSkipPressButton) {
    MetaWorld w(ZT_SCENE_POWERON);
    w.hold(KI_BUTTON1);
    w.frames(3);
    ASSERT_EQ(keSceneNumber, ZT_SCENE_TITLE) << "the first push leaves the power-on logos";
    w.frames(100);
    auto* title = w.scene<EngineTitle>();
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(title->state, 0);
    w.hold(0);
    w.frame();
    w.hold(KI_BUTTON1);
    w.frame();
    EXPECT_EQ(title->state, 1);
}

TEST(Title, MenuShowsItsFiveLinesAndPressButtonBlinks) {
    MetaWorld w(ZT_SCENE_TITLE);
    w.frames(14);
    w.frame(true); // frame counter 15: off
    EXPECT_EQ(w.textRow(20), "");
    w.frame(true); // 16: on for sixteen frames
    EXPECT_EQ(w.textRow(20), std::string(14, ' ') + "PRESS BUTTON");
    EXPECT_EQ(w.work->clearColor, 0xE2CE9Fu);

    w.push(KI_BUTTON1);
    w.frame();
    auto* title = w.scene<EngineTitle>();
    ASSERT_TRUE(ZTWindow::alive(title->window));
    EXPECT_EQ(title->window->choices, 5);
    EXPECT_EQ(title->window->text, ztTitleMenuText(ZTLanguage::Japanese));
    EXPECT_EQ(title->window->shown, static_cast<int>(title->window->text.size()));
    EXPECT_FLOAT_EQ(title->window->home.x, 96.0f);
    EXPECT_FLOAT_EQ(title->window->home.y, 32.0f);
    EXPECT_EQ(
        ztTitleMenuText(ZTLanguage::Japanese),
        toShiftJis("さいしょから|nつづきから|nリプレイさいせい|nランキング|nタイトルにもどる"));
}

TEST(Title, TheMenuSpeaksTheSettingsLanguageAndANewPlayTakesIt) {
    MetaWorld w(ZT_SCENE_TITLE);
    const LanguageSetting english(ZTLanguage::English);
    w.push(KI_BUTTON1);
    w.frame();
    auto* title = w.scene<EngineTitle>();
    ASSERT_TRUE(ZTWindow::alive(title->window));
    EXPECT_EQ(title->window->text,
              "New Game|nContinue|nWatch a Replay|nRankings|nBack to the Title");
    w.push(KI_BUTTON1);
    ASSERT_GT(w.runUntil([] { return keSceneNumber != ZT_SCENE_TITLE; }, 60), 0);
    EXPECT_EQ(w.work->language, ZTLanguage::English);
}

TEST(Title, NewGameIsRecordedAndOpensTheFirstConversation) {
    MetaWorld w(ZT_SCENE_TITLE);
    choose(w, 0);
    ASSERT_GT(w.runUntil([] { return keSceneNumber != ZT_SCENE_TITLE; }, 60), 0);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_KAIWA);
    EXPECT_EQ(w.work->field, 1);
    EXPECT_EQ(w.work->tail, 1);
    EXPECT_TRUE(w.work->record);
    EXPECT_TRUE(w.input.kimRecording);
    EXPECT_NE(w.work->clearColor, 0xE2CE9Fu) << "the title's colour leaves with it";
}

TEST(Title, ContinueBeforeAnyGameOverStartsFieldOneUnrecorded) {
    MetaWorld w(ZT_SCENE_TITLE);
    choose(w, 1);
    ASSERT_GT(w.runUntil([] { return keSceneNumber != ZT_SCENE_TITLE; }, 60), 0);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_GAME);
    EXPECT_EQ(w.work->field, 1);
    EXPECT_EQ(w.work->tail, 1);
    EXPECT_FALSE(w.work->record);
    EXPECT_FALSE(w.input.kimRecording);
}

TEST(Title, BackLineClosesTheWindowAndShowsPressButtonAgain) {
    MetaWorld w(ZT_SCENE_TITLE);
    w.push(KI_BUTTON1);
    w.frame();
    w.push(KI_UP); // wraps to the last line
    w.push(KI_BUTTON1);
    auto* title = w.scene<EngineTitle>();
    ASSERT_GT(w.runUntil([&] { return title->state == 0; }, 60), 0);
    EXPECT_EQ(ZTWindow::top, nullptr);
    EXPECT_EQ(title->window, nullptr);
    w.frames(20, true);
    EXPECT_NE(w.textRow(20).find("PRESS BUTTON"), std::string::npos);

    w.push(KI_BUTTON1);
    w.frame();
    ASSERT_NE(title->window, nullptr);
    EXPECT_EQ(title->window->cursor, 0);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_TITLE);
}

TEST(Title, DeveloperMenuNeedsTheChordAndKeepsItsBounds) {
    MetaWorld w(ZT_SCENE_TITLE);
    w.frame();
    auto* title = w.scene<EngineTitle>();
    // C or V alone with Z opens the ordinary menu.
    w.hold(KI_BUTTON3);
    w.frame();
    w.hold(KI_BUTTON3 | KI_BUTTON1);
    w.frame();
    EXPECT_EQ(title->state, 1);
    w.hold(0);
    ZTWindow::close(title->window);
    title->state = 0;
    w.frames(3);

    w.hold(chord);
    w.frame();
    w.hold(chord | KI_BUTTON1);
    w.frame();
    w.hold(0);
    w.frame();
    ASSERT_EQ(title->state, 2);

    w.push(KI_UP);
    EXPECT_EQ(title->cursor, 0);
    w.push(KI_LEFT);
    EXPECT_EQ(title->number, 1);
    for (int i = 0; i < 30; ++i) w.push(KI_RIGHT);
    EXPECT_EQ(title->number, 24);

    for (int i = 0; i < 4; ++i) w.push(KI_DOWN);
    ASSERT_EQ(title->cursor, 4);
    std::vector<int> up, down;
    for (int i = 0; i < 11; ++i) {
        w.push(KI_RIGHT);
        up.push_back(title->tailNumber);
    }
    EXPECT_EQ(up, (std::vector<int>{6, 11, 16, 21, 26, 31, 36, 41, 46, 50, 50}));
    for (int i = 0; i < 11; ++i) {
        w.push(KI_LEFT);
        down.push_back(title->tailNumber);
    }
    EXPECT_EQ(down, (std::vector<int>{45, 40, 35, 30, 25, 20, 15, 10, 5, 1, 1}));
    EXPECT_EQ(title->number, 24) << "left and right on the tail line leave the number alone";

    w.push(KI_DOWN);
    w.push(KI_DOWN);
    EXPECT_EQ(title->cursor, 5);
    w.push(KI_BUTTON1);
    EXPECT_EQ(title->state, 0) << "EXIT goes back to PRESS BUTTON";
}

TEST(Title, DeveloperMenuShowsItsLinesAndStartsAField) {
    MetaWorld w(ZT_SCENE_TITLE);
    w.frame();
    auto* title = w.scene<EngineTitle>();
    title->state = 2;
    w.frames(2);
    for (int i = 0; i < 4; ++i) w.push(KI_RIGHT);
    ASSERT_EQ(title->number, 5);
    w.push(KI_DOWN);
    w.frame(true);
    EXPECT_EQ(w.textRow(6), "  SET ENEMY  5");
    EXPECT_EQ(w.textRow(7), "> PLAY GAME  5");
    EXPECT_EQ(w.textRow(8), "  EDIT MAP   1") << "the map is the number AND 3";
    EXPECT_EQ(w.textRow(9), "  KAIWA      5");
    EXPECT_EQ(w.textRow(10), "  TAIL NUM    1");
    EXPECT_EQ(w.textRow(11), "  EXIT");

    w.push(KI_BUTTON1);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_GAME);
    EXPECT_EQ(w.work->field, 5);
    EXPECT_FALSE(w.input.kimRecording);
}
