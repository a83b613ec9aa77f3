// zentaku-contact: the pictures of a replay for a contact sheet. It plays the replay without a
// window, draws every frame with SDL's software renderer and saves, as PPM files, the opening of
// each field (the banner over the field as it starts), one picture of each boss fight and one of
// the closing conversation.
//
// With --fields it starts each field of a range itself, as the developer menu does, and saves
// its opening: the layouts of both rounds side by side.
//
//   zentaku-contact REPLAY OUT_DIR [GAME_ROOT]
//   zentaku-contact --fields A-B OUT_DIR [GAME_ROOT]
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "creator.h"
#include "data/replay_file.h"
#include "engine.h"
#include "fields.h"
#include "media_run.h"
#include "replay_run.h"
#include "scenes/game.h"
#include "scratch.h"
#include "work.h"

namespace fs = std::filesystem;

namespace {

const char* usage = "usage: zentaku-contact REPLAY OUT_DIR [GAME_ROOT]\n"
                    "       zentaku-contact --fields A-B OUT_DIR [GAME_ROOT]\n"
                    "\n"
                    "Plays REPLAY without a window and saves pictures for a contact sheet into\n"
                    "OUT_DIR (made if missing) as PPM files: fieldNN.ppm, the opening of each\n"
                    "field; bossNN.ppm, a moment of each boss fight; ending.ppm, the closing\n"
                    "conversation. GAME_ROOT (default: the current directory) supplies pixel/ and\n"
                    "dat/; nothing is written there. With --fields, each field from A to B is\n"
                    "started as the developer menu starts it (tail 1) and fieldNN.ppm is its\n"
                    "opening. Exit status: 0 done, 1 the replay did not\n"
                    "play to its end, 2 not a replay, 3 bad arguments or nothing could be drawn.\n";

bool savePpm(const fs::path& path, const uint32_t* argb) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", kPictureWidth, kPictureHeight);
    std::vector<uint8_t> rgb(static_cast<size_t>(kPictureWidth) * kPictureHeight * 3);
    for (size_t i = 0; i < rgb.size() / 3; ++i) {
        rgb[i * 3] = argb[i] >> 16 & 0xFF;
        rgb[i * 3 + 1] = argb[i] >> 8 & 0xFF;
        rgb[i * 3 + 2] = argb[i] & 0xFF;
    }
    const bool written = std::fwrite(rgb.data(), 1, rgb.size(), f) == rgb.size();
    return std::fclose(f) == 0 && written;
}

} // namespace

int main(int argc, char** argv) {
    if (argc > 1 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(usage, stdout);
        return 0;
    }
    int first = 0, last = 0;
    if (argc > 1 && std::string(argv[1]) == "--fields") {
        if (argc < 4 || argc > 5 || std::sscanf(argv[2], "%d-%d", &first, &last) != 2 ||
            first < 1 || last < first || last > 48) {
            std::fputs("zentaku-contact: --fields wants A-B within 1-48\n", stderr);
            return 3;
        }
        argv += 1; // the range stands where the replay would
        argc -= 1;
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
    if (first == 0 && !ztReadReplayFile(argv[1], header, words)) {
        std::fprintf(stderr, "zentaku-contact: %s: not a replay file, or not a whole one\n",
                     argv[1]);
        return 2;
    }
    std::error_code ec;
    fs::create_directories(out, ec);
    // The play reads the root's data from a scratch folder, and writes its score file there.
    ZTScratch scratch(root, {"dat", "text", "pixel", "snd"});
    ZTMediaRun run(true);
    if (!scratch.ok || !run.ok()) {
        std::fprintf(stderr, "zentaku-contact: no scratch folder or no software renderer\n");
        return 3;
    }
    int lastField = 0, sceneFrames = 0, lastScene = -1, saved = 0;
    if (first > 0) {
        // The opening as the replay's sheet shows it: the banner over the field, 45 frames in.
        for (int field = first; field <= last; ++field) {
            std::fprintf(stderr, "\rfield %d of %d", field, last);
            char name[32];
            std::snprintf(name, sizeof name, "field%02d.ppm", field);
            run.playField(field, 1, 45, [&](uint32_t frame, const uint32_t* argb) {
                if (frame < 45 || !argb) return true;
                saved += savePpm(out / name, argb);
                return false;
            });
        }
        std::fprintf(stderr, "\n");
        std::printf("%d pictures in %s\n", saved, out.c_str());
        return saved == last - first + 1 ? 0 : 3;
    }
    const auto sink = [&](uint32_t, const uint32_t* argb) {
        sceneFrames = keSceneNumber == lastScene ? sceneFrames + 1 : 1;
        lastScene = keSceneNumber;
        char name[32] = "";
        const int field = gWork->field;
        if (keSceneNumber == ZT_SCENE_GAME && field != lastField && sceneFrames == 45) {
            std::snprintf(name, sizeof name, "field%02d.ppm", field);
            lastField = field;
        } else if (keSceneNumber == ZT_SCENE_GAME && ztFieldKind(field) != ZTFieldKind::Set &&
                   sceneFrames == 900) {
            std::snprintf(name, sizeof name, "boss%02d.ppm", field);
        } else if (keSceneNumber == ZT_SCENE_KAIWA && field == 13 && sceneFrames == 400) {
            std::snprintf(name, sizeof name, "ending.ppm");
        }
        if (name[0] && argb && savePpm(out / name, argb)) saved += 1;
        return true;
    };
    const ZTReplayOutcome result = run.play(words, header.language, header.frames + 1, sink);
    std::printf("%d pictures in %s; the play ended on field %u after %u frames\n", saved,
                out.c_str(), result.field, result.frames);
    int status = 0;
    if (!result.ended || result.frames != header.frames) status = 1;
    if (saved == 0) status = 3;
    return status;
}
