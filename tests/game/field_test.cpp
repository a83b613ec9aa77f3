// Scripted plays of whole fields through the program's frame step: the banner, the clear, the
// miss, the game over and the hand-offs to the pause scenes.
#include <gtest/gtest.h>

#include <cstdio>

#include "engine.h"
#include "field_look.h"
#include "fields.h"
#include "game_play.h"
#include "objects/ground_enemies.h"
#include "objects/layers.h"
#include "objects/player.h"
#include "scenes/game.h"

namespace {

ZTPlayer* tank() {
    return ztFirstObject<ZTPlayer>(ZT_LAYER_TANK);
}

int countLayer(ZTLayer layer) {
    return static_cast<int>(ztLayerObjects<KilnBehave>(layer).size());
}

// A small enemy tucked in the top-left corner keeps the field from clearing.
const std::vector<GamePlay::Chip> oneSentry = {{32, 32, 0}};

// Runs the banner, then pushes C (self-destruct): the tank goes down on the next frame and the
// scene sees it at the start of the one after.
void loseTheTank(GamePlay& play) {
    play.frames(92);
    ASSERT_EQ(currentGame->state, ZT_FIELD_PLAY);
    play.hold(KI_BUTTON3);
    play.frame();
    play.hold(0);
    ASSERT_EQ(play.runUntil([] { return currentGame->playerDown != 0; }, 10), 1);
    EXPECT_EQ(currentGame->state, ZT_FIELD_PLAY);
    play.frame();
}

} // namespace

TEST(Field, EmptyFieldShowsTheBannerThenTheClearThenTheNextField) {
    GamePlay play;
    play.writeSet(1, {});
    play.start(1, 1);

    play.frames(90);
    EXPECT_EQ(currentGame->state, ZT_FIELD_BANNER);
    EXPECT_EQ(currentGame->showFieldBanner, 1);
    play.frame(); // the 91st banner frame ends it
    EXPECT_EQ(currentGame->showFieldBanner, 0);
    EXPECT_EQ(currentGame->state, ZT_FIELD_PLAY);
    play.frame();
    EXPECT_EQ(currentGame->state, ZT_FIELD_CLEARED)
        << "no ground enemy: cleared as soon as play begins";

    play.frames(16);
    EXPECT_EQ(currentGame->state, ZT_FIELD_CLEARED);
    EXPECT_EQ(currentGame->runObjects, 1) << "16 more frames of play before the freeze";
    play.frame();
    EXPECT_EQ(currentGame->state, ZT_FIELD_CLEAR_SHOWN);
    EXPECT_EQ(currentGame->showClear, 1);
    EXPECT_EQ(currentGame->runObjects, 0);

    const KVector frozen = tank()->position;
    play.frames(120);
    EXPECT_EQ(tank()->position.y, frozen.y) << "the picture is frozen after the clear";
    EXPECT_EQ(keSceneNumber, ZT_SCENE_GAME);
    play.frame();
    EXPECT_EQ(keNextScene, ZT_SCENE_NEXTER);
    EXPECT_EQ(currentGame, nullptr);

    play.frames(24);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_NEXTER);
    EXPECT_EQ(play.work->field, 1);
    play.frame();
    EXPECT_EQ(play.work->field, 2);
    EXPECT_EQ(keNextScene, ZT_SCENE_GAME);
    play.frame();
    ASSERT_NE(currentGame, nullptr);
    EXPECT_EQ(currentGame->state, ZT_FIELD_BANNER);
}

TEST(Field, AMissWithLivesLeftRestartsWithOneLifeLessAndHalfTheTail) {
    GamePlay play;
    play.writeSet(1, oneSentry);
    play.start(1, 9);
    play.work->left = 1;
    loseTheTank(play);
    EXPECT_EQ(currentGame->state, ZT_FIELD_LOST);
    EXPECT_EQ(currentGame->timer, 9 * 4 + 120);
    EXPECT_TRUE(play.platform.audio.playing) << "a miss with a life left keeps the music";

    play.frames(9 * 4 + 120);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_GAME);
    EXPECT_EQ(currentGame->runObjects, 1) << "the enemies play on during the miss countdown";
    play.frame();
    EXPECT_EQ(keNextScene, ZT_SCENE_RESTART);

    play.frames(32);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_RESTART);
    EXPECT_EQ(play.work->left, 1);
    play.frame(); // the 33rd frame of the pause
    EXPECT_EQ(play.work->left, 0);
    EXPECT_EQ(play.work->tail, 4);
    EXPECT_EQ(play.work->groundCount, 0);
    EXPECT_EQ(keNextScene, ZT_SCENE_GAME);
    play.frame();
    EXPECT_EQ(play.work->groundCount, 1) << "the field is built again from its set";
    EXPECT_EQ(play.work->field, 1);
}

TEST(Field, ClearAndMissInTheSameFrameAdvanceWithoutLosingALife) {
    GamePlay play;
    play.writeSet(1, oneSentry);
    play.start(1, 3);
    play.frames(95);
    ASSERT_EQ(currentGame->state, ZT_FIELD_PLAY);
    // Both happen between two frames, as when the last enemy's shot takes the tank with it.
    play.work->groundCount = 0;
    currentGame->playerDown = 1;
    play.frame();
    EXPECT_EQ(currentGame->state, ZT_FIELD_CLEAR_SHOWN);
    EXPECT_EQ(currentGame->timer, 3 * 4 + 120);
    EXPECT_EQ(currentGame->showClear, 0);
    EXPECT_EQ(currentGame->runObjects, 1);
    play.runUntil([] { return keNextScene != ZT_SCENE_GAME; }, 200);
    EXPECT_EQ(keNextScene, ZT_SCENE_NEXTER);
    play.frames(26);
    EXPECT_EQ(play.work->field, 2);
    EXPECT_EQ(play.work->left, 2);
}

TEST(Field, TheLastMissStopsTheMusicAndPlaysTheGameOver) {
    GamePlay play;
    play.writeSet(1, oneSentry);
    play.start(1, 5);
    play.work->left = 0;
    play.work->addScore(60000); // enough to enter the default table
    loseTheTank(play);
    EXPECT_FALSE(play.platform.audio.playing) << "the last miss stops the music at once";

    play.frames(5 * 4 + 120);
    EXPECT_EQ(currentGame->state, ZT_FIELD_LOST);
    play.frame();
    EXPECT_EQ(currentGame->state, ZT_FIELD_OVER);
    play.frame();
    EXPECT_EQ(play.platform.audio.music, "snd/MU01.ogg");
    EXPECT_TRUE(play.platform.audio.playing);
    EXPECT_FALSE(play.platform.audio.looping);
    ASSERT_EQ(countLayer(ZT_LAYER_LETTERS), 1) << "the first letter comes at once";
    auto* first = dynamic_cast<ZTOverMoji*>(kbHead[ZT_LAYER_LETTERS]);
    ASSERT_NE(first, nullptr);
    // Started at (0, 400) and moved one sixteenth of the way to (160, 96).
    EXPECT_FLOAT_EQ(first->position.x, 10.0f);
    EXPECT_FLOAT_EQ(first->position.y, 381.0f);

    play.frames(5);
    EXPECT_EQ(countLayer(ZT_LAYER_LETTERS), 1);
    play.frame();
    EXPECT_EQ(countLayer(ZT_LAYER_LETTERS), 2) << "letters come 6 frames apart";
    play.frames(24);
    EXPECT_EQ(countLayer(ZT_LAYER_LETTERS), 6);
    EXPECT_EQ(currentGame->state, ZT_FIELD_OVER_SHOWN);
    EXPECT_EQ(currentGame->showGameOver, 1);
    const int cells[6] = {36, 38, 37, 39, 40, 37};
    int i = 0;
    for (KilnBehave* b = kbHead[ZT_LAYER_LETTERS]; b; b = b->next, ++i)
        EXPECT_EQ(static_cast<ZTOverMoji*>(b)->cell, cells[i]);

    play.frames(239);
    EXPECT_EQ(keSceneNumber, ZT_SCENE_GAME);
    EXPECT_FLOAT_EQ(currentGame->gameOverAlpha, 255.0f);
    play.frame();
    EXPECT_EQ(keNextScene, ZT_SCENE_NAMING);
    EXPECT_FALSE(play.input.kimRecording);
    EXPECT_EQ(play.work->lastField, 1);
    EXPECT_EQ(play.work->lastTail, 5);
    auto entry = play.work->findNewEntry();
    ASSERT_NE(entry, play.work->scoreTable.end());
    EXPECT_EQ(entry, play.work->scoreTable.begin());
    EXPECT_EQ(entry->score, 60000u);
    EXPECT_EQ(entry->tail, 5u);
    EXPECT_EQ(play.work->scoreTable.size(), 10u);
}

TEST(Field, GameOverHandsOffByWhetherThePlayWasRecordedAndGoodEnough) {
    struct Case {
        bool record;
        uint32_t score;
        int expected;
    };
    for (const Case& c : {Case{true, 0, ZT_SCENE_REPSAVE}, Case{false, 60000, ZT_SCENE_TITLE}}) {
        GamePlay play;
        play.writeSet(1, oneSentry);
        play.start(1, 1, c.record ? ZTPlayMode::Recorded : ZTPlayMode::Free);
        play.work->left = 0;
        play.work->addScore(c.score);
        loseTheTank(play);
        play.runUntil([] { return keNextScene != ZT_SCENE_GAME; }, 600);
        EXPECT_EQ(keNextScene, c.expected) << "recorded " << c.record;
        EXPECT_EQ(play.work->findNewEntry(), play.work->scoreTable.end());
    }
}

TEST(Field, ALivePushEndsAReplayButTheRecordedFireButtonDoesNot) {
    GamePlay play;
    play.writeSet(1, oneSentry);
    play.start(1, 1, ZTPlayMode::Replay);
    // The recording holds fire from the first frame on.
    play.input.kimPlayBuf.assign(400, KI_BUTTON1);
    play.frames(150);
    EXPECT_EQ(keNextScene, ZT_SCENE_GAME);
    EXPECT_GT(tank()->shotsFired, 0) << "the recorded buttons drive the tank";
    play.hold(KI_BUTTON1);
    play.frame();
    EXPECT_EQ(keNextScene, ZT_SCENE_TITLE);
    EXPECT_FALSE(play.platform.audio.playing);
}

TEST(Field, BossFieldsIgnoreTheirSetAndAMissingSetLeavesTheFieldEmpty) {
    for (int field : {12, 24, 36, 7}) {
        GamePlay play;
        play.writeSet(ztFieldSet(field), oneSentry);
        if (field == 7) std::remove("dat/s07.zts");
        play.start(field, 1);
        play.frame();
        EXPECT_TRUE(ztLayerObjects<ZTEnm25P>(ZT_LAYER_GROUND).empty()) << "field " << field;
        EXPECT_EQ(play.work->groundCount, field == 7 ? 0 : 1) << "field " << field;
    }
}

TEST(Field, TheSetIsSpawnedInFileOrderAndUnknownKindsPlaceNothing) {
    GamePlay play;
    play.writeSet(13, {{320, 64, 2}, {96, 96, 0}, {544, 96, 1}, {200, 200, 6}, {300, 300, 7}});
    play.start(13, 1);
    play.frame();
    EXPECT_EQ(play.work->groundCount, 3);
    std::vector<float> xs;
    for (const ZTGroundEnemy* g : ztLayerObjects<ZTGroundEnemy>(ZT_LAYER_GROUND))
        xs.push_back(g->position.x);
    EXPECT_EQ(xs, (std::vector<float>{320.0f, 96.0f, 544.0f}));
}

TEST(Field, TheNextFieldPauseLeadsToTheTalksAroundTheBoss) {
    struct Case {
        int cleared, next;
    };
    for (const Case& c : {Case{3, ZT_SCENE_GAME}, Case{11, ZT_SCENE_KAIWA},
                          Case{12, ZT_SCENE_KAIWA}, Case{13, ZT_SCENE_GAME}}) {
        GamePlay play;
        play.work->startGame({.field = c.cleared});
        keNextScene = ZT_SCENE_NEXTER;
        play.frames(24);
        EXPECT_EQ(play.work->field, c.cleared);
        play.frame();
        EXPECT_EQ(play.work->field, c.cleared + 1);
        EXPECT_EQ(keNextScene, c.next) << "after field " << c.cleared;
    }
}

TEST(Field, SpitGeneratorsAloneDoNotHoldAFieldOpen) {
    GamePlay play;
    play.writeSet(1, {{320, 32, 3}, {96, 32, 5}});
    play.start(1, 1);
    play.frames(92);
    EXPECT_EQ(play.work->groundCount, 0);
    EXPECT_EQ(currentGame->state, ZT_FIELD_CLEARED);
}
