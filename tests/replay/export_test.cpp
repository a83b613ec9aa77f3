// Sharing a play: the PNG frames are the program's picture, the sound of each request lands on
// its frame, the video needs ffmpeg, and a folder check names every file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "files.h"
#include "graphics.h"
#include "media.h"
#include "media_run.h"
#include "mix.h"
#include "platform/headless/headless.h"
#include "platform/sdl/sdl_image.h"
#include "platform/sdl/sdl_renderer.h"
#include "replay/replay_file.h"
#include "replay/replay_run.h"
#include "scratch.h"
#include "scratch_dir.h"
#include "sound.h"

namespace fs = std::filesystem;

namespace {

CommandRun runTool(const std::string& arguments, const std::string& environment = "") {
    const std::string command =
        environment + " '" + ZT_REPLAY_TOOL + "' " + arguments + " '" + ZT_ROOT + "' 2>&1";
    return runCommand(command);
}

std::vector<uint8_t> readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The first `frames` words of the committed play, as a file of their own.
std::vector<uint32_t> shortPlay(const fs::path& path, uint32_t frames) {
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    EXPECT_TRUE(ztReadReplayFile(ZT_RECORDED_PLAY, header, words));
    words.resize(frames);
    header.frames = frames;
    const std::vector<uint8_t> bytes = ztBuildReplay(header, words);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return words;
}

} // namespace

TEST(ReplayExport, WritesEveryFrameAsTheSoftwareRendererDrawsIt) {
    ScratchDir dir;
    constexpr uint32_t kFrames = 90;
    const std::vector<uint32_t> words = shortPlay(fs::path(dir.path) / "short.rep", kFrames);
    const fs::path out = fs::path(dir.path) / "frames";
    // Cut short, the play has not ended by its last word: a desync, yet every frame is written.
    EXPECT_EQ(runTool("--export '" + out.string() + "' '" + dir.path + "/short.rep'").status, 1);
    EXPECT_TRUE(fs::exists(out / "000001.png"));
    EXPECT_TRUE(fs::exists(out / "000090.png"));
    EXPECT_FALSE(fs::exists(out / "000091.png"));
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), kFrames);

    // The first frame, drawn here by SDL's software renderer over the program's textures.
    std::vector<uint32_t> first;
    {
        ZTScratch scratch(ZT_ROOT, {"dat", "text", "pixel"});
        ASSERT_TRUE(scratch.ok);
        HeadlessPlatform platform;
        SdlRenderer renderer;
        ASSERT_TRUE(renderer.openSoftware(640, 480));
        platform.useRenderer(renderer);
        ASSERT_TRUE(ztLoadTextures());
        ASSERT_TRUE(kxHasTexture(3)) << "the game root's pictures are baked";
        {
            ZTReplayRunner runner;
            ZTReplayHooks hooks;
            hooks.after = [&](uint32_t) {
                int w = 0, h = 0;
                ASSERT_TRUE(renderer.readPixels(first, w, h));
            };
            runner.play(words, ZTLanguage::Japanese, 1, hooks);
        }
        kxDisposeTexture();
    }
    ASSERT_EQ(first.size(), 640u * 480u);
    for (uint32_t& p : first) p |= 0xFF000000u; // a window shows no transparency

    const std::vector<uint8_t> png = readAll(out / "000001.png");
    std::vector<uint32_t> exported;
    int w = 0, h = 0;
    ASSERT_TRUE(sdlDecodePng(png.data(), png.size(), exported, w, h));
    EXPECT_EQ(w, 640);
    EXPECT_EQ(h, 480);
    EXPECT_TRUE(exported == first) << "the first PNG is not the software renderer's frame";
}

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

TEST(ReplayExport, VideoWithoutFfmpegSaysSoAndExitsThree) {
    ScratchDir dir;
    const CommandRun r = runTool("--video '" + dir.path + "/out.mp4' '" + ZT_RECORDED_PLAY + "'",
                                 "PATH=/nonexistent");
    EXPECT_EQ(r.status, 3);
    EXPECT_NE(r.output.find("ffmpeg was not found on PATH"), std::string::npos) << r.output;
    EXPECT_FALSE(fs::exists(fs::path(dir.path) / "out.mp4"));
}

TEST(ReplayExport, FolderCheckGivesALinePerFileAndFailsOnAnyBadOne) {
    ScratchDir dir;
    const fs::path folder = fs::path(dir.path) / "mine";
    fs::create_directory(folder);
    fs::copy_file(ZT_RECORDED_PLAY, folder / "a_good.rep");
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    ASSERT_TRUE(ztReadReplayFile(ZT_RECORDED_PLAY, header, words));
    header.score += 10;
    const std::vector<uint8_t> bytes = ztBuildReplay(header, words);
    std::ofstream(folder / "b_richer.rep", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    std::ofstream(folder / "c_junk.rep") << "not a replay";
    std::ofstream(folder / "notes.txt") << "not looked at";

    const CommandRun bad = runTool("--check '" + folder.string() + "'");
    EXPECT_EQ(bad.status, 1);
    EXPECT_NE(bad.output.find("a_good.rep: ok"), std::string::npos) << bad.output;
    EXPECT_NE(bad.output.find("b_richer.rep: FAILED, score"), std::string::npos) << bad.output;
    EXPECT_NE(bad.output.find("c_junk.rep: FAILED, not a replay"), std::string::npos);
    EXPECT_EQ(bad.output.find("notes.txt"), std::string::npos);

    fs::remove(folder / "b_richer.rep");
    fs::remove(folder / "c_junk.rep");
    EXPECT_EQ(runTool("--check '" + folder.string() + "'").status, 0);
}
