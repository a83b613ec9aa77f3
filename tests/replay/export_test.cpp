// Sharing a play: the PNG frames are the program's picture, the sound alone covers its range at
// the volumes asked for, the video needs ffmpeg, and a folder check names every file.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "data/replay_file.h"
#include "files.h"
#include "graphics.h"
#include "media.h"
#include "media_run.h"
#include "platform/headless/headless.h"
#include "platform/sdl/sdl_image.h"
#include "platform/sdl/sdl_renderer.h"
#include "replay_run.h"
#include "scratch.h"
#include "scratch_dir.h"

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
    const CommandRun good = runTool("--check '" + folder.string() + "'");
    EXPECT_EQ(good.status, 0);
    EXPECT_NE(
        good.output.find("1 of 1 replays pass; " + std::to_string(header.frames) + " frames in "),
        std::string::npos)
        << good.output;
    EXPECT_NE(good.output.find(" frames/s"), std::string::npos) << good.output;
}

TEST(ReplayExport, FromAndToGiveTheFramesAskedForAsTodaysPicturesInRgb) {
    ScratchDir dir;
    const fs::path out = fs::path(dir.path) / "frames";
    const fs::path big = fs::path(dir.path) / "big";
    const std::string play = std::string("'") + ZT_RECORDED_PLAY + "'";
    // Frames 3541 to 3600: a minute into the play, up to the moment 1:00.
    EXPECT_EQ(runTool("--export '" + out.string() + "' --from 3541 --to 1:00 " + play).status, 0);
    EXPECT_EQ(
        runTool("--export '" + big.string() + "' --from 0:59 --to 3541 --scale 2 " + play).status,
        0);
    EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 60);
    EXPECT_TRUE(fs::exists(out / "003541.png"));
    EXPECT_TRUE(fs::exists(out / "003600.png"));
    EXPECT_EQ(std::distance(fs::directory_iterator(big), fs::directory_iterator()), 1)
        << "0:59 is frame 3541";

    // Today's pictures of those frames: every frame drawn whole, in one thread.
    std::vector<std::vector<uint32_t>> today;
    {
        ZTScratch scratch(ZT_ROOT, {"dat", "text", "pixel", "snd"});
        ASSERT_TRUE(scratch.ok);
        ZTReplayHeader header;
        std::vector<uint32_t> words;
        ASSERT_TRUE(ztReadReplayFile(ZT_RECORDED_PLAY, header, words));
        ZTMediaRun run(true, false);
        ASSERT_TRUE(run.ok());
        run.play(
            words, header.language, 3600,
            [&](uint32_t, const uint32_t* argb) {
                if (argb) today.emplace_back(argb, argb + 640 * 480);
                return true;
            },
            3541);
    }
    ASSERT_EQ(today.size(), 60u);
    for (uint32_t i = 0; i < 60; ++i) {
        char name[16];
        std::snprintf(name, sizeof name, "%06u.png", 3541 + i);
        const std::vector<uint8_t> png = readAll(out / name);
        ASSERT_GT(png.size(), 25u);
        EXPECT_EQ(png[25], 2) << "colour type RGB";
        std::vector<uint32_t> exported;
        int w = 0, h = 0;
        ASSERT_TRUE(sdlDecodePng(png.data(), png.size(), exported, w, h)) << name;
        EXPECT_TRUE(w == 640 && h == 480 && exported == today[i]) << name << " is not today's";
    }
    const std::vector<uint8_t> png = readAll(big / "003541.png");
    std::vector<uint32_t> enlarged;
    int w = 0, h = 0;
    ASSERT_TRUE(sdlDecodePng(png.data(), png.size(), enlarged, w, h));
    ASSERT_EQ(w, 1280);
    ASSERT_EQ(h, 960);
    size_t wrong = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            wrong += enlarged[size_t(y) * 1280 + x] != today[0][size_t(y / 2) * 640 + x / 2];
    EXPECT_EQ(wrong, 0u) << "each pixel twice across and twice down";
}

TEST(ReplayExport, AudioAloneCoversTheRangeAtTheChosenVolumes) {
    ScratchDir dir;
    // A game root of our own whose settings switch the music off and the effects down to 0.
    const fs::path root = fs::path(dir.path) / "root";
    fs::create_directories(root);
    for (const char* d : {"dat", "text", "pixel", "snd"})
        fs::create_directory_symlink(fs::path(ZT_ROOT) / d, root / d);
    std::ofstream(root / "zent.ini") << "[Sound]\nBGM=0\nSEVolume=0\n";
    const std::string play = std::string(" '") + ZT_RECORDED_PLAY + "' '" + root.string() + "'";
    auto wavSamples = [](const fs::path& wav, bool& silent) {
        const std::vector<uint8_t> bytes = readAll(wav);
        silent = true;
        for (size_t i = 44; i < bytes.size(); ++i) silent = silent && bytes[i] == 0;
        return bytes.size() < 44 ? 0 : (bytes.size() - 44) / 4;
    };
    const fs::path own = fs::path(dir.path) / "own.wav", mine = fs::path(dir.path) / "mine.wav";
    const std::string tool = std::string("'") + ZT_REPLAY_TOOL + "'";
    EXPECT_EQ(
        runCommand(tool + " --audio '" + own.string() + "' --from 0:10 --to 0:20" + play).status,
        0);
    EXPECT_EQ(
        runCommand(tool + " --audio '" + mine.string() + "' --from 0:10 --to 0:20 --volumes" + play)
            .status,
        0);
    bool silent = false;
    EXPECT_EQ(wavSamples(own, silent), 600u * 735u) << "10 s: frames 601 to 1200";
    EXPECT_FALSE(silent) << "the game's own volumes: music and effects";
    EXPECT_EQ(wavSamples(mine, silent), 600u * 735u);
    EXPECT_TRUE(silent) << "no music, effects at 0";
}
