// zentaku-contact: the pictures of a replay for a contact sheet. It plays the replay without a
// window, draws every frame with SDL's software renderer and saves, as PPM files, the opening of
// each field (the banner over the field as it starts), one picture of each boss fight and one of
// the closing conversation.
//
//   zentaku-contact REPLAY OUT_DIR [GAME_ROOT]
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "creator.h"
#include "engine.h"
#include "graphics.h"
#include "media.h"
#include "platform/headless/headless.h"
#include "platform/sdl/sdl_renderer.h"
#include "replay/replay_file.h"
#include "replay/replay_run.h"
#include "scenes/game.h"
#include "work.h"

namespace fs = std::filesystem;

namespace {

const char* usage = "usage: zentaku-contact REPLAY OUT_DIR [GAME_ROOT]\n"
                    "\n"
                    "Plays REPLAY without a window and saves pictures for a contact sheet into\n"
                    "OUT_DIR (made if missing) as PPM files: fieldNN.ppm, the opening of each\n"
                    "field; bossNN.ppm, a moment of each boss fight; ending.ppm, the closing\n"
                    "conversation. GAME_ROOT (default: the current directory) supplies pixel/ and\n"
                    "dat/; nothing is written there. Exit status: 0 done, 1 the replay did not\n"
                    "play to its end, 2 not a replay, 3 bad arguments or nothing could be drawn.\n";

bool savePpm(const fs::path& path, SdlRenderer& renderer) {
    std::vector<uint32_t> argb;
    int w = 0, h = 0;
    if (!renderer.readPixels(argb, w, h)) return false;
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", w, h);
    std::vector<uint8_t> row(static_cast<size_t>(w) * 3);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t p = argb[static_cast<size_t>(y) * w + x];
            row[x * 3] = p >> 16 & 0xFF;
            row[x * 3 + 1] = p >> 8 & 0xFF;
            row[x * 3 + 2] = p & 0xFF;
        }
        std::fwrite(row.data(), 1, row.size(), f);
    }
    return std::fclose(f) == 0;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (argc < 3 || argc > 4) {
        std::fputs(usage, stderr);
        return 3;
    }
    const fs::path out = fs::absolute(argv[2]);
    const fs::path root = fs::absolute(argc > 3 ? fs::path(argv[3]) : fs::current_path());
    if (!fs::is_directory(root / "dat") || !fs::is_directory(root / "pixel")) {
        std::fprintf(stderr, "zentaku-contact: %s: no dat and pixel folders\n", root.c_str());
        return 3;
    }
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    if (!ztReadReplayFile(argv[1], header, words)) {
        std::fprintf(stderr, "zentaku-contact: %s: not a replay file, or not a whole one\n",
                     argv[1]);
        return 2;
    }
    std::error_code ec;
    fs::create_directories(out, ec);
    // The play reads the root's data from a scratch folder, and writes its score file there.
    char pattern[] = "/tmp/zentaku_contact_XXXXXX";
    if (!mkdtemp(pattern)) return 3;
    const fs::path scratch = pattern;
    fs::create_directory_symlink(root / "dat", scratch / "dat", ec);
    fs::create_directory_symlink(root / "pixel", scratch / "pixel", ec);
    const fs::path previous = fs::current_path();
    fs::current_path(scratch, ec);

    int status = 0;
    {
        HeadlessPlatform platform;
        SdlRenderer renderer;
        if (!renderer.openSoftware(640, 480)) {
            std::fprintf(stderr, "zentaku-contact: no software renderer\n");
            status = 3;
        } else {
            gPlatform.renderer = &renderer;
            ZTReplayRunner runner;
            ztLoadTextures();
            int lastField = 0, sceneFrames = 0, lastScene = -1, saved = 0;
            ZTReplayHooks hooks;
            hooks.after = [&](uint32_t) {
                sceneFrames = keSceneNumber == lastScene ? sceneFrames + 1 : 1;
                lastScene = keSceneNumber;
                char name[32] = "";
                const int field = gWork->field;
                if (keSceneNumber == ZT_SCENE_GAME && field != lastField && sceneFrames == 45) {
                    std::snprintf(name, sizeof name, "field%02d.ppm", field);
                    lastField = field;
                } else if (keSceneNumber == ZT_SCENE_GAME && field % 12 == 0 &&
                           sceneFrames == 900) {
                    std::snprintf(name, sizeof name, "boss%02d.ppm", field);
                } else if (keSceneNumber == ZT_SCENE_KAIWA && field == 13 && sceneFrames == 400) {
                    std::snprintf(name, sizeof name, "ending.ppm");
                }
                if (name[0] && savePpm(out / name, renderer)) saved += 1;
            };
            const ZTReplayOutcome result = runner.play(words, header.frames + 1, hooks);
            kxDisposeTexture();
            gPlatform.renderer = nullptr;
            std::printf("%d pictures in %s; the play ended on field %u after %u frames\n", saved,
                        out.c_str(), result.field, result.frames);
            if (!result.ended || result.frames != header.frames) status = 1;
            if (saved == 0) status = 3;
        }
    }
    fs::current_path(previous, ec);
    fs::remove_all(scratch, ec);
    return status;
}
