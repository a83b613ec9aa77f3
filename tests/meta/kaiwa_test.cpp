// The conversations: their steps, music, portraits and the way out of the last one.
#include <gtest/gtest.h>

#include "engine.h"
#include "meta_world.h"
#include "scenes/kaiwa.h"
#include "scenes/window.h"

namespace {
// A conversation scene for `field`, entered from a started play.
void enter(MetaWorld& w, int field, bool record) {
    w.work->startGame({.field = field, .mode = record ? ZTPlayMode::Recorded : ZTPlayMode::Free});
    keNextScene = ZT_SCENE_KAIWA;
    w.frames(2); // the title leaves, the conversation runs its first step
}

// Waits for the current page to be typed, then turns it.
void turnPage(MetaWorld& w, EngineKaiwa* k) {
    w.runUntil(
        [&] { return k->window && k->window->shown == static_cast<int>(k->window->text.size()); },
        400);
    w.push(KI_BUTTON1);
    w.frame();
    if (keNextScene != keSceneNumber) w.frame(); // the last page requested the next scene
}
} // namespace

TEST(Kaiwa, ConversationFollowsTheField) {
    const int expected[][2] = {{1, 0}, {12, 1}, {13, 2}, {5, 3}};
    for (const auto& [field, conversation] : expected) {
        MetaWorld w(ZT_SCENE_TITLE);
        w.frame();
        enter(w, field, false);
        auto* k = w.scene<EngineKaiwa>();
        ASSERT_NE(k, nullptr);
        EXPECT_EQ(k->conversation, conversation) << "field " << field;
        EXPECT_EQ(w.work->clearColor, 0xFFC100u);
    }
}

TEST(Kaiwa, OpeningConversationRunsItsStepsInOrder) {
    MetaWorld w(ZT_SCENE_TITLE);
    w.frame();
    enter(w, 1, true);
    auto* k = w.scene<EngineKaiwa>();
    EXPECT_EQ(w.platform.audio.music, "snd/MU03.ogg");
    EXPECT_TRUE(w.platform.audio.looping);
    EXPECT_EQ(k->picture.cell, 134);
    EXPECT_EQ(k->step, 1);

    // The opening pause: the first page comes 66 frames after the first step.
    w.frames(65);
    EXPECT_EQ(k->window, nullptr);
    w.frame();
    ASSERT_NE(k->window, nullptr);
    EXPECT_EQ(k->portraits[0].cell, 135);
    EXPECT_EQ(k->text, toShiftJis(sourceLines(0)[0]));
    EXPECT_FLOAT_EQ(k->window->home.x, 32.0f);
    EXPECT_FLOAT_EQ(k->window->home.y, 288.0f);
    EXPECT_EQ(k->window->speed, 1);

    // A push while the page types does not turn it.
    ZTWindow* first = k->window;
    w.push(KI_BUTTON1);
    EXPECT_TRUE(ZTWindow::alive(first));
    EXPECT_EQ(k->step, 2);
    turnPage(w, k);
    EXPECT_EQ(k->step, 3) << "the second page is up";
    EXPECT_NE(k->text, toShiftJis(sourceLines(0)[0]));
    EXPECT_EQ(k->portraits[0].cell, 136);
    EXPECT_EQ(k->text, toShiftJis(sourceLines(0)[1]));
    turnPage(w, k);
    EXPECT_EQ(k->portraits[0].cell, 137);
    EXPECT_EQ(k->portraits[1].cell, -1);
    EXPECT_EQ(k->speaker, 0);
    turnPage(w, k);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_GAME);
    EXPECT_EQ(w.platform.audio.music, "snd/MU00.ogg");
    EXPECT_TRUE(w.input.kimRecording) << "the play is still being recorded";
}

TEST(Kaiwa, SpeakerGrowsTheOtherShrinksAndTheSameFaceDoesNotSlideInAgain) {
    MetaWorld w(ZT_SCENE_TITLE);
    w.frame();
    enter(w, 12, false);
    auto* k = w.scene<EngineKaiwa>();
    w.frames(66);
    ASSERT_NE(k->window, nullptr);
    EXPECT_EQ(w.platform.audio.music, "snd/MU04.ogg");
    w.frames(40);
    EXPECT_NEAR(k->portraits[0].scale, 1.0f, 1e-4);
    turnPage(w, k); // page 2: the right side speaks
    ASSERT_EQ(k->speaker, 1);
    EXPECT_EQ(k->portraits[1].cell, 139);
    const float before = k->portraits[0].scale;
    w.frame();
    EXPECT_NEAR(k->portraits[0].scale, before + (0.6f - before) * 0.25f, 1e-6);
    w.frames(40);
    EXPECT_NEAR(k->portraits[0].scale, 0.6f, 1e-4);
    EXPECT_NEAR(k->portraits[1].scale, 1.0f, 1e-4);
    EXPECT_NEAR(k->portraits[2].scale, 0.6f, 1e-4);
    EXPECT_FLOAT_EQ(k->portraits[1].alpha, 1.0f);

    turnPage(w, k); // 3: left 137
    EXPECT_EQ(k->portraits[0].cell, 137);
    EXPECT_LT(k->portraits[0].alpha, 1.0f) << "a new face fades in";
    turnPage(w, k); // 4: right 143
    turnPage(w, k); // 5: right 139
    turnPage(w, k); // 6: right 142
    w.frames(60);
    turnPage(w, k); // 7: left 137 again
    EXPECT_EQ(k->portraits[0].cell, 137);
    EXPECT_EQ(k->speaker, 0);
    EXPECT_FLOAT_EQ(k->portraits[0].alpha, 1.0f) << "the same face does not fade in again";
    EXPECT_FLOAT_EQ(k->portraits[0].position.x, 112.0f) << "nor slide in again";
    turnPage(w, k); // 8
    turnPage(w, k); // 9
    EXPECT_EQ(k->text, toShiftJis(sourceLines(1)[8]));
    EXPECT_EQ(k->speaker, 1);
    turnPage(w, k);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_GAME);
    EXPECT_EQ(w.platform.audio.music, "snd/MU02.ogg");
}

TEST(Kaiwa, TheEndingOffersTheRecordedPlayAndContinueStartsOver) {
    MetaWorld w(ZT_SCENE_TITLE);
    w.frame();
    enter(w, 13, true);
    w.work->score = 60000;
    w.work->tailMax = 33;
    w.work->lastField = 9;
    w.work->lastTail = 7;
    auto* k = w.scene<EngineKaiwa>();
    w.frames(66);
    EXPECT_EQ(w.platform.audio.music, "snd/MU05.ogg");
    for (int page = 0; page < 12; ++page) turnPage(w, k);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_NAMING);
    EXPECT_FALSE(w.input.kimRecording);
    EXPECT_FALSE(w.platform.audio.playing);
    EXPECT_EQ(w.work->lastField, 1);
    EXPECT_EQ(w.work->lastTail, 1);
    const ZThiScore& best = w.work->scoreTable.front();
    EXPECT_TRUE(best.isNew);
    EXPECT_EQ(best.score, 60000u);
    EXPECT_EQ(best.field, 13u);
    EXPECT_EQ(best.tail, 33u);
}

TEST(Kaiwa, TheEndingOfAnUnrecordedPlayGoesToTheTitle) {
    MetaWorld w(ZT_SCENE_TITLE);
    w.frame();
    enter(w, 13, false);
    auto* k = w.scene<EngineKaiwa>();
    w.frames(65);
    for (int page = 0; page < 12; ++page) turnPage(w, k);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_TITLE);
    EXPECT_TRUE(w.work->scoreTable.front().name == "NATTOH");

    // Continue now starts from the first field with the shortest tail.
    w.push(KI_BUTTON1);
    w.frame();
    w.push(KI_DOWN);
    w.push(KI_BUTTON1);
    w.runUntil([] { return keSceneNumber != ZT_SCENE_TITLE; }, 60);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_GAME);
    EXPECT_EQ(w.work->field, 1);
    EXPECT_EQ(w.work->tail, 1);
}

TEST(Kaiwa, AReplayTurnsThePagesWithTheRecordedButtons) {
    MetaWorld w(ZT_SCENE_TITLE);
    w.frame();
    w.work->startGame({.mode = ZTPlayMode::Replay});
    w.input.kimPlayBuf.assign(64, 0u); // a recording without a single push
    keNextScene = ZT_SCENE_KAIWA;
    w.frames(2);
    auto* k = w.scene<EngineKaiwa>();
    for (int i = 0; i < 150; ++i) w.push(KI_BUTTON1);
    EXPECT_EQ(k->step, 2) << "the live keyboard does not turn a replay's pages";
    ASSERT_TRUE(ZTWindow::alive(k->window));

    // Now the recording pushes the button every 50th frame.
    for (int i = 0; i < 2000; ++i)
        w.input.kimPlayBuf.push_back(i % 50 == 49 ? uint32_t{KI_BUTTON1} : 0u);
    EXPECT_GT(w.runUntil([] { return keSceneNumber == ZT_SCENE_GAME; }, 1000), 0);
    EXPECT_FALSE(w.input.kimUsePlay) << "switched on only around the objects' move";
}
