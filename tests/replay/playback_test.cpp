// Whole plays recorded from the live keys and played back from their words: the same state on
// every frame, the same ending, the live way out of a replay and the fast-forward.
#include <gtest/gtest.h>

#include <filesystem>

#include "data/replay_file.h"
#include "engine.h"
#include "input.h"
#include "language_setting.h"
#include "pilot.h"
#include "rep_world.h"
#include "replay_run.h"
#include "scenes/game.h"
#include "scenes/kaiwa.h"
#include "statehash.h"

namespace {

struct Recorded {
    std::vector<uint32_t> words;
    ZTReplayOutcome outcome;
    std::vector<uint64_t> hashes;
    int fewestLeft = 99;
};

// A root of its own and a headless program with a replay runner: one recording or playback.
struct RunBench {
    RunBench() { platform.renderer.keepDraws = false; }
    RepDir dir{true};
    HeadlessPlatform platform;
    ZTReplayRunner runner;
    ZTReplayHooks hooks;
};

// The automatic player's play from the title's new game to its end.
Recorded recordPilotPlay(ZTPilot pilot) {
    RunBench bench;
    Recorded r;
    bench.hooks.before = [&](uint32_t) { kiHoldWord(pilot.next(), bench.platform.input.keys); };
    bench.hooks.after = [&](uint32_t) {
        r.hashes.push_back(ztStateHash());
        if (gWork->left < r.fewestLeft) r.fewestLeft = gWork->left;
    };
    r.outcome = bench.runner.record(200000, bench.hooks);
    r.words = bench.runner.recorded();
    return r;
}

// One recording shared by the tests: it takes a few thousand frames to make. Made as the
// committed pilot play is (`zentaku-replay --pilot --minutes 2`): the automatic player can circle
// a middle tank for ever, so it fights for a minute and a half and then gives up.
const Recorded& fullPlay() {
    static const Recorded play = [] {
        ZTPilot pilot;
        pilot.waitUntil = 2 * 3600 - 6000;
        pilot.giveUpFrame = 2 * 3600 - 600;
        return recordPilotPlay(pilot);
    }();
    return play;
}

} // namespace

TEST(Playback, ARecordedPlayReplaysWithTheSameStateOnEveryFrameAndTheSameEnding) {
    const Recorded& rec = fullPlay();
    ASSERT_TRUE(rec.outcome.ended);
    EXPECT_EQ(rec.words.size(), rec.outcome.frames) << "one word per frame after the start";
    // The play is only a good test when it has something to repeat.
    EXPECT_GE(rec.outcome.field, 3u) << "two fields cleared";
    EXPECT_LT(rec.fewestLeft, 2) << "a life lost";
    EXPECT_GT(rec.outcome.score, 0u);

    RunBench bench;
    size_t firstDifference = 0;
    bool differs = false;
    bench.hooks.after = [&](uint32_t frame) {
        if (differs || frame > rec.hashes.size()) return;
        if (ztStateHash() != rec.hashes[frame - 1]) differs = true, firstDifference = frame;
    };
    const ZTReplayOutcome out =
        bench.runner.play(rec.words, ZTLanguage::Japanese, rec.outcome.frames + 100, bench.hooks);
    EXPECT_FALSE(differs) << "first differing frame " << firstDifference;
    EXPECT_TRUE(out.ended);
    EXPECT_EQ(out.frames, rec.outcome.frames) << "the recorded fire button never ends a replay";
    EXPECT_EQ(out.score, rec.outcome.score);
    EXPECT_EQ(out.field, rec.outcome.field);
    EXPECT_EQ(out.tail, rec.outcome.tail);
    EXPECT_EQ(out.hash, rec.outcome.hash);
}

// Recorded in one language and chosen in the list while the setting names the other: the replay
// is shown in its own language (its pages turn when its own lines are typed out) and ends as
// recorded.
TEST(Playback, ASavedPlayChosenInTheListPlaysToTheSameEndingInItsOwnLanguage) {
    struct Case {
        ZTLanguage recorded, setting;
    };
    for (const Case c : {Case{ZTLanguage::English, ZTLanguage::Japanese},
                         Case{ZTLanguage::Japanese, ZTLanguage::English}}) {
        SCOPED_TRACE(static_cast<int>(c.recorded));
        ZTPilot pilot;
        pilot.giveUpField = 2; // a short play: the conversation and the first field
        Recorded rec;
        {
            const LanguageSetting setting(c.recorded);
            rec = recordPilotPlay(pilot);
        }
        ASSERT_TRUE(rec.outcome.ended);
        ASSERT_EQ(rec.outcome.field, 2u);

        RepWorld world(ZT_SCENE_REPSELECT);
        std::filesystem::remove("dat");
        std::filesystem::create_directory_symlink(std::filesystem::path(ZT_ROOT) / "dat", "dat");
        std::filesystem::create_directory_symlink(ZT_TEXT_STOCK, "text");
        world.platform.renderer.keepDraws = false;
        world.input.kimRecordBuf = rec.words;
        world.work->score = rec.outcome.score;
        world.work->field = static_cast<int32_t>(rec.outcome.field);
        world.work->tailMax = static_cast<int32_t>(rec.outcome.tail);
        world.work->language = c.recorded;
        ASSERT_TRUE(ZTEngine::writeReplay("play.rep"));

        const LanguageSetting setting(c.setting);
        world.frame(); // reads the one file
        world.hold(KI_BUTTON1);
        world.frame();
        world.hold(0);
        world.frames(49);
        ASSERT_EQ(keNextScene, ZT_SCENE_KAIWA);
        world.frame();
        auto* talk = world.scene<EngineKaiwa>();
        ASSERT_NE(talk, nullptr);
        std::vector<std::string> own;
        ASSERT_TRUE(ztLoadKaiwaLines(ztTextPath(c.recorded, "kaiwa0.txt").c_str(), own));
        EXPECT_EQ(talk->lines, own) << "the replay's conversation is in its own language";
        uint32_t frames = 1;
        while (frames < rec.outcome.frames + 100 && keNextScene != ZT_SCENE_TITLE) {
            world.frame();
            frames += 1;
            ASSERT_NE(keNextScene, ZT_SCENE_REPSAVE) << "a replay is never offered for saving";
            ASSERT_NE(keNextScene, ZT_SCENE_NAMING);
        }
        EXPECT_EQ(frames, rec.outcome.frames);
        EXPECT_EQ(world.work->score, rec.outcome.score);
        EXPECT_EQ(static_cast<uint32_t>(world.work->field), rec.outcome.field);
        EXPECT_EQ(world.work->lastField, 2) << "the game over was the recorded one";
        EXPECT_EQ(gLanguage, c.setting) << "the setting is the player's and stays";
    }
}

TEST(Playback, ALiveFirstButtonEndsAReplayOnlyInTheGameScene) {
    const Recorded& rec = fullPlay();
    RunBench bench;
    int pushedIn = -1;
    uint32_t kaiwaPushes = 0;
    bench.hooks.before = [&](uint32_t frame) {
        // A live push every 20 frames: the conversation ignores it, the field leaves at once.
        const bool push = frame % 20 == 0;
        bench.platform.input.keys[KI_KEY_Z] = push ? 0x80 : 0;
        if (push) pushedIn = keSceneNumber;
        if (push && keSceneNumber == ZT_SCENE_KAIWA) kaiwaPushes += 1;
    };
    const ZTReplayOutcome out =
        bench.runner.play(rec.words, ZTLanguage::Japanese, rec.outcome.frames, bench.hooks);
    EXPECT_TRUE(out.ended);
    EXPECT_GT(kaiwaPushes, 3u) << "pushed during the conversation and it carried on";
    EXPECT_EQ(pushedIn, ZT_SCENE_GAME);
    EXPECT_EQ(keNextScene, ZT_SCENE_TITLE);
    EXPECT_EQ(out.frames % 20, 0u) << "left in the very frame of the push";
    EXPECT_LT(out.frames, rec.outcome.frames);
    EXPECT_FALSE(bench.platform.audio.playing) << "the music stops with it";
}

TEST(Playback, TabFastForwardsOnlyTheGameSceneOfAReplay) {
    const Recorded& rec = fullPlay();
    RunBench bench;
    int fastKaiwa = 0, fastGame = 0, slowGame = 0, pauseFrames = 0, fastPause = 0;
    bench.hooks.before = [&](uint32_t) { bench.platform.input.keys[KI_KEY_TAB] = 0x80; };
    bench.hooks.after = [&](uint32_t) {
        const bool fast = bench.runner.lastFrame().skipWait;
        // The frame that asks for the field already runs at the field's pace.
        if (keSceneNumber == ZT_SCENE_KAIWA && keNextScene == ZT_SCENE_KAIWA) fastKaiwa += fast;
        // The last frame of a field asks for a pause scene, which keeps its pace.
        if (keSceneNumber == ZT_SCENE_GAME && keNextScene == ZT_SCENE_GAME)
            (fast ? fastGame : slowGame) += 1;
        if ((keSceneNumber == ZT_SCENE_NEXTER || keSceneNumber == ZT_SCENE_RESTART) &&
            keNextScene == keSceneNumber)
            pauseFrames += 1, fastPause += fast;
    };
    bench.runner.play(rec.words, ZTLanguage::Japanese, rec.outcome.frames, bench.hooks);
    EXPECT_EQ(fastKaiwa, 0) << "the conversation keeps its pace";
    EXPECT_GT(fastGame, 1000);
    EXPECT_EQ(slowGame, 0);
    EXPECT_GT(pauseFrames, 0);
    EXPECT_EQ(fastPause, 0) << "the pauses between fields keep their pace";

    // The same keys in the recorded play itself change nothing.
    RepDir dir2(true);
    ZTReplayRunner live;
    int fastLive = 0;
    ZTPilot pilot;
    pilot.giveUpField = 2;
    ZTReplayHooks liveHooks;
    liveHooks.before = [&](uint32_t) {
        kiHoldWord(pilot.next() | KI_TAB, bench.platform.input.keys);
    };
    liveHooks.after = [&](uint32_t) { fastLive += live.lastFrame().skipWait; };
    EXPECT_TRUE(live.record(20000, liveHooks).ended);
    EXPECT_EQ(fastLive, 0);
}
