// The exports' faster drawing, the ground kept between frames and the triangles drawn by our own
// rasteriser, gives the very pictures of SDL drawing each frame whole.
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

#include "data/replay_file.h"
#include "engine.h"
#include "graphics.h"
#include "media.h"
#include "platform/headless/headless.h"
#include "platform/sdl/sdl_renderer.h"
#include "replay_run.h"
#include "scratch.h"
#include "tee_renderer.h"

namespace fs = std::filesystem;

namespace {

const char* const kCommittedReplays[] = {"pilot.rep", "ending.rep"};

// Plays each committed replay into the exports' renderer (the ground kept, and our own
// triangles when asked) and into SDL drawing every frame whole, and compares the pictures on
// every frame of a scene's start and one frame in `every`.
void expectTodaysPictures(bool ownTriangles, uint32_t every) {
    ZTScratch scratch(ZT_ROOT, {"dat", "text", "pixel"});
    ASSERT_TRUE(scratch.ok);
    for (const char* name : kCommittedReplays) {
        ZTReplayHeader header;
        std::vector<uint32_t> words;
        ASSERT_TRUE(ztReadReplayFile((fs::path(ZT_REPLAY_DATA) / name).c_str(), header, words));
        HeadlessPlatform platform;
        SdlRenderer fast, whole;
        ASSERT_TRUE(fast.openSoftware(640, 480) && whole.openSoftware(640, 480));
        fast.keepOpaqueFirstDraw(true);
        if (ownTriangles) {
            ASSERT_TRUE(fast.drawTrianglesHere(true));
        }
        TeeRenderer tee(fast, whole);
        platform.useRenderer(tee);
        ASSERT_TRUE(ztLoadTextures());
        int lastScene = -1, sinceStart = 0;
        uint32_t compared = 0, differing = 0, firstDiffering = 0;
        std::vector<uint32_t> a, b;
        {
            ZTReplayRunner runner;
            ZTReplayHooks hooks;
            auto wanted = [&](uint32_t frame) { return sinceStart < 3 || frame % every == 0; };
            hooks.drawn = wanted;
            hooks.after = [&](uint32_t frame) {
                sinceStart = keSceneNumber == lastScene ? sinceStart + 1 : 0;
                lastScene = keSceneNumber;
                if (!wanted(frame)) return;
                int w = 0, h = 0;
                ASSERT_TRUE(fast.readPixels(a, w, h) && whole.readPixels(b, w, h));
                compared += 1;
                if (a != b && differing++ == 0) firstDiffering = frame;
            };
            const ZTReplayOutcome out = runner.play(words, header.language, header.frames, hooks);
            EXPECT_EQ(out.frames, header.frames) << name;
        }
        kxDisposeTexture();
        EXPECT_GT(compared, header.frames / every) << name;
        EXPECT_EQ(differing, 0u) << name << ": first at frame " << firstDiffering;
    }
}

} // namespace

// Kept grounds are put back across the frames not drawn, and every field's new ground is met on
// its first frame.
TEST(ReplayExport, KeptGroundGivesTodaysPicturesOnTheCommittedReplays) {
    expectTodaysPictures(false, 61);
}

// The exports' whole way of drawing: the ground kept and the triangles drawn by our own
// rasteriser.
TEST(ReplayExport, OwnTrianglesGiveTodaysPicturesOnTheCommittedReplays) {
    expectTodaysPictures(true, 29);
}
