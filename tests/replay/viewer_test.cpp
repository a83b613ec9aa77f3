// The replay viewer on the committed replays: a jump lands on the state of watching straight
// through to that frame, and speeds, pauses and steps leave the stream of states untouched.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "creator.h"
#include "data/replay_file.h"
#include "engine.h"
#include "rep_world.h"
#include "replay_run.h"
#include "statehash.h"
#include "viewer.h"

namespace {

struct Replay {
    std::vector<uint32_t> words;
    std::vector<uint64_t> hashes; // after each frame of straight play
    ZTLanguage language = ZTLanguage::Japanese;
};

// The words and the states of watching straight through, once per replay for all the tests.
const Replay& straightPlay(const std::string& name) {
    static std::map<std::string, Replay> plays;
    auto found = plays.find(name);
    if (found != plays.end()) return found->second;
    Replay& r = plays[name];
    ZTReplayHeader header;
    const std::string path = std::string(ZT_REPLAY_DATA) + "/" + name;
    EXPECT_TRUE(ztReadReplayFile(path.c_str(), header, r.words)) << path;
    ZTReplayRunner straight;
    ZTReplayHooks hooks;
    hooks.after = [&](uint32_t) { r.hashes.push_back(ztStateHash()); };
    r.language = header.language;
    straight.play(r.words, r.language, static_cast<uint32_t>(r.words.size()) + 1, hooks);
    return r;
}

class ViewerTest : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        replay = &straightPlay(GetParam());
        ASSERT_FALSE(replay->words.empty());
        ASSERT_EQ(replay->hashes.size(), replay->words.size()) << "the straight play ended";
        platform.renderer.keepDraws = false;
        runner = std::make_unique<ZTReplayRunner>();
        // The selection's start of a replay: the words loaded, the game started, no frame run.
        runner->play(replay->words, replay->language, 0);
        gViewer = &viewer;
        viewer.begin();
        viewer.tick(false); // looks through the play, then plays its first frame
    }
    void TearDown() override {
        gViewer = nullptr;
        runner.reset();
    }

    uint64_t straightHash(uint32_t frame) const { return replay->hashes.at(frame - 1); }

    RepDir dir{true};
    HeadlessPlatform platform;
    const Replay* replay = nullptr;
    std::unique_ptr<ZTReplayRunner> runner;
    ZTReplayViewer viewer;
};

TEST_P(ViewerTest, KnowsTheLengthAndEveryFieldsStart) {
    EXPECT_EQ(viewer.length(), replay->words.size());
    EXPECT_EQ(viewer.frame(), 1u);
    const std::vector<uint32_t>& starts = viewer.fieldStarts();
    ASSERT_GE(starts.size(), 2u);
    for (size_t i = 1; i < starts.size(); ++i) EXPECT_LT(starts[i - 1], starts[i]);
    EXPECT_LT(starts.back(), viewer.length());
}

TEST_P(ViewerTest, JumpsLandOnTheStateOfStraightPlay) {
    const uint32_t length = viewer.length();
    const std::vector<uint32_t>& starts = viewer.fieldStarts();
    // Each move, and the frame it lands on given the frame it starts from.
    struct Move {
        const char* what;
        std::function<void()> act;
        std::function<uint32_t(uint32_t)> lands;
    };
    auto fieldStartOf = [&](uint32_t f) {
        uint32_t s = 1;
        for (uint32_t start : starts)
            if (start <= f) s = start;
        return s;
    };
    const Move moves[] = {
        {"forward to the middle", [&] { viewer.jumpTo(length / 2); },
         [&](uint32_t) { return length / 2; }},
        {"10 s back", [&] { viewer.skip(false); }, [](uint32_t f) { return f - 600; }},
        {"10 s forward", [&] { viewer.skip(true); }, [](uint32_t f) { return f + 600; }},
        {"the field's start", [&] { viewer.toFieldStart(); }, fieldStartOf},
        {"into the last field", [&] { viewer.jumpTo(starts.back() + 30); },
         [&](uint32_t) { return starts.back() + 30; }},
        {"and its start", [&] { viewer.toFieldStart(); }, fieldStartOf},
        {"near the end", [&] { viewer.jumpTo(length - 700); },
         [&](uint32_t) { return length - 700; }},
        {"10 s forward near the end", [&] { viewer.skip(true); },
         [](uint32_t f) { return f + 600; }},
        {"back to the first frames", [&] { viewer.jumpTo(3); }, [](uint32_t) { return 3u; }},
        {"10 s back at the start", [&] { viewer.skip(false); }, [](uint32_t) { return 1u; }},
    };
    for (const Move& m : moves) {
        const uint32_t want = m.lands(viewer.frame());
        m.act();
        ASSERT_TRUE(viewer.watching()) << m.what;
        const uint32_t f = viewer.frame();
        ASSERT_EQ(f, want) << m.what;
        EXPECT_EQ(ztStateHash(), straightHash(f)) << m.what << ", frame " << f;
        // Playing on from there goes on as straight play does.
        viewer.tick(true);
        EXPECT_EQ(viewer.frame(), f + 1) << m.what;
        EXPECT_EQ(ztStateHash(), straightHash(f + 1)) << m.what << ", frame " << f + 1;
    }
    EXPECT_EQ(viewer.frame(), 2u);
    viewer.toFieldStart();
    EXPECT_EQ(viewer.frame(), 1u) << "before the first field: the replay's start";
    // Forward stops short of the end, so the last frames are still there to watch.
    viewer.jumpTo(length - 5);
    viewer.skip(true);
    EXPECT_EQ(viewer.frame(), length - 1);
    EXPECT_EQ(ztStateHash(), straightHash(length - 1));
}

TEST_P(ViewerTest, SpeedsPausesAndStepsLeaveTheStatesAsStraightPlay) {
    // Every speed for a while, a pause with the picture drawn again and again, and steps.
    uint32_t turns = 0;
    auto run = [&](int count) {
        for (int i = 0; i < count && viewer.watching(); ++i, ++turns) {
            viewer.tick(turns % 2 == 0);
            ASSERT_EQ(ztStateHash(), straightHash(viewer.frame())) << "frame " << viewer.frame();
        }
    };
    for (int s = 0; s < ZTReplayViewer::kNormalSpeed; ++s) viewer.slower();
    EXPECT_EQ(viewer.speed(), 0);
    const uint32_t before = viewer.frame();
    run(40);
    EXPECT_EQ(viewer.frame(), before + 10) << "a quarter of the speed";
    for (int s = 1; s < ZTReplayViewer::kSpeedCount; ++s) {
        viewer.faster();
        run(30);
    }
    viewer.togglePause();
    const uint32_t held = viewer.frame();
    for (int i = 0; i < 20; ++i) viewer.drawOverlay();
    run(30);
    EXPECT_EQ(viewer.frame(), held) << "nothing runs while paused";
    for (int i = 0; i < 5; ++i) {
        viewer.step();
        run(3);
    }
    EXPECT_EQ(viewer.frame(), held + 5) << "one frame a step";
    viewer.togglePause();
    run(100);
    EXPECT_EQ(viewer.frame(), held + 5 + 800) << "eight times the speed";
}

TEST_P(ViewerTest, TheViewersKeysActOnTheirPushOnly) {
    platform.input.viewerKeys = KV_FASTER;
    viewer.tick(true);
    viewer.tick(true);
    EXPECT_EQ(viewer.speed(), ZTReplayViewer::kNormalSpeed + 1) << "held: one push";
    platform.input.viewerKeys = 0;
    viewer.tick(true);
    platform.input.viewerKeys = KV_PAUSE;
    viewer.tick(true);
    EXPECT_TRUE(viewer.isPaused());
    platform.input.viewerKeys = 0;
    viewer.tick(true);
    const uint32_t f = viewer.frame();
    platform.input.viewerKeys = KV_STEP;
    viewer.tick(true);
    EXPECT_EQ(viewer.frame(), f + 1);
    platform.input.viewerKeys = KV_FORWARD;
    viewer.tick(true);
    EXPECT_EQ(viewer.frame(), f + 1 + ZTReplayViewer::kSkipFrames);
    platform.input.viewerKeys = KV_BACK;
    viewer.tick(true);
    EXPECT_EQ(viewer.frame(), f + 1);
    EXPECT_EQ(ztStateHash(), straightHash(f + 1));
}

TEST_P(ViewerTest, TheFireButtonEndsTheReplayAtOnceEvenWhilePaused) {
    viewer.jumpTo(viewer.fieldStarts().front() + 10);
    viewer.togglePause();
    viewer.tick(true);
    platform.input.keys[KI_KEY_Z] = 0x80;
    viewer.tick(true);
    EXPECT_FALSE(viewer.watching());
    EXPECT_EQ(keNextScene, ZT_SCENE_TITLE);
}

INSTANTIATE_TEST_SUITE_P(
    CommittedReplays, ViewerTest, ::testing::Values("pilot.rep", "ending.rep"),
    [](const auto& info) {
        return std::string(info.param).substr(0, std::string(info.param).find('.'));
    });

} // namespace
