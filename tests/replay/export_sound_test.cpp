// The sound of an export: each request of a play is logged against the frame that made it, and
// the mix places it there.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "data/replay_file.h"
#include "media_run.h"
#include "mix.h"
#include "platform/headless/headless.h"
#include "scratch.h"
#include "sound.h"

// A scripted sequence through the sound module, with made-up sounds: a tune of 1000 samples at
// 256, and an effect that counts up from 1, so a restart shows as the count starting over.
class ScriptedMix : public ::testing::TestWithParam<bool> {};

TEST_P(ScriptedMix, PlacesEveryRequestAtItsFrame) {
    const bool loop = GetParam();
    HeadlessPlatform platform;
    RecordingAudio audio;
    platform.useAudio(audio);
    voxInitialize(true);
    voxSetVolume(0.5f); // 64 of 128: the tune mixes at 128
    ASSERT_TRUE(kwInitializeWave());
    kwLoadSegment(0, "count", false);
    kwLoadSegment(1, "count", false);
    audio.frame = 0;
    voxPlay("tune", loop);
    audio.frame = 2;
    kwPlay(0);
    audio.frame = 5;
    kwPlay(1);
    kwPlay(0); // restarts
    audio.frame = 10;
    voxFadeOut(1000);
    audio.frame = 12;
    kwStopAll();
    const std::vector<AudioEvent> script = audio.events;
    kwDisposeWave();
    voxDispose();

    const std::vector<int16_t> tune(2000, 256);
    std::vector<int16_t> count(20000);
    for (size_t i = 0; i < count.size(); ++i) count[i] = static_cast<int16_t>(i / 2 + 1);
    const std::vector<int16_t> mix =
        ztMixdown(script, audio.effects, 90, [&](const std::string& path) {
            return path == "tune" ? &tune : path == "count" ? &count : nullptr;
        });
    ASSERT_EQ(mix.size(), 90u * 735u * 2u);
    auto left = [&](int sample) { return static_cast<int>(mix[static_cast<size_t>(sample) * 2]); };
    const int music = 128;

    EXPECT_EQ(left(0), music);
    EXPECT_EQ(left(999), music);
    EXPECT_EQ(left(1200), loop ? music : 0) << "the tune loops or plays once";
    const int tuneAt = loop ? music : 0; // once the first pass is over
    EXPECT_EQ(left(2 * 735 - 1), tuneAt) << "nothing before frame 2";
    EXPECT_EQ(left(2 * 735), tuneAt + 1) << "frame 2 starts at sample 1470";
    EXPECT_EQ(left(2 * 735 + 100), tuneAt + 101);
    EXPECT_EQ(left(5 * 735 - 1), tuneAt + 3 * 735) << "slot 0 still on its first start";
    EXPECT_EQ(left(5 * 735), tuneAt + 1 + 1) << "slot 0 restarted, slot 1 started";
    EXPECT_EQ(left(12 * 735 - 1) - left(12 * 735), 2 * 7 * 735) << "both slots stop at frame 12";
    if (loop) {
        const int halfway = left(10 * 735 + kMixRate / 2);
        EXPECT_GT(halfway, 0);
        EXPECT_LT(halfway, music) << "half a second into the fade";
    }
    EXPECT_EQ(left(10 * 735 + kMixRate * 105 / 100), 0) << "the fade ends in silence";
}

INSTANTIATE_TEST_SUITE_P(LoopOrOnce, ScriptedMix, ::testing::Values(true, false));

TEST(ReplayExport, SoundOfARealPlayIsLoggedAgainstTheFrameThatAskedForIt) {
    ZTScratch scratch(ZT_ROOT, {"dat", "text", "snd"});
    ASSERT_TRUE(scratch.ok);
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    ASSERT_TRUE(ztReadReplayFile(ZT_RECORDED_PLAY, header, words));
    ZTMediaRun run(false);
    ASSERT_TRUE(run.ok());
    std::vector<size_t> loggedBy; // events logged by the end of each frame, from frame 1
    const ZTReplayOutcome out =
        run.play(words, header.language, header.frames, [&](uint32_t, const uint32_t*) {
            loggedBy.push_back(run.audio.events.size());
            return true;
        });
    ASSERT_EQ(out.frames, header.frames);
    const std::vector<AudioEvent>& events = run.audio.events;
    size_t effects = 0;
    for (size_t i = 0; i < events.size(); ++i) {
        const uint32_t f = events[i].frame; // asked while frame f + 1 ran
        ASSERT_LT(f, loggedBy.size());
        EXPECT_LT(i, loggedBy[f]) << "event " << i << " after its frame";
        if (f > 0) {
            EXPECT_GE(i, loggedBy[f - 1]) << "event " << i << " before its frame";
        }
        effects += events[i].kind == AudioEvent::PlayEffect;
    }
    EXPECT_GT(effects, 100u) << "a play of three fields fires and explodes";
    EXPECT_EQ(events.front().kind, AudioEvent::StopMusic) << "the game start's music comes first";
}
