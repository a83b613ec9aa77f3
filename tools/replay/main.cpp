// zentaku-replay: plays a replay file without a window or sound, as fast as the machine allows,
// from the game start through every scene the play passed, and checks that it ends as recorded.
//
//   zentaku-replay FILE [GAME_ROOT]
//   zentaku-replay --pilot NEW_FILE [GAME_ROOT]
//
// The second form records a play of the automatic player from the title's new game to its end
// and saves it as a new replay file (an existing file is never replaced).
//
// GAME_ROOT is where the maps, sets and conversations are read from, below its dat/. Without it
// the root is found as the game finds it: the current folder when it holds pixel/, else the
// per-user root beside the installed data. Nothing is written there: the play runs in a scratch
// folder that sees only that dat/. Exit status: 0 the play ended as the header says, 1 it did not
// (a desync), 2 the file is not a whole replay, 3 bad arguments, no scratch folder or the file not
// saved.
#include <stdlib.h>

#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/game_root.h"
#include "platform/headless/headless.h"
#include "replay/pilot.h"
#include "replay/replay_file.h"
#include "replay/replay_run.h"

namespace fs = std::filesystem;

namespace {

// A scratch folder made current for the run: the game work reads the root's data through a link
// and writes its score file here, never into the game root.
class Scratch {
public:
    explicit Scratch(const fs::path& root) {
        previous = fs::current_path();
        char pattern[] = "/tmp/zentaku_replay_XXXXXX";
        if (!mkdtemp(pattern)) return;
        path = pattern;
        std::error_code ec;
        fs::create_directory_symlink(root / "dat", path / "dat", ec);
        fs::current_path(path, ec);
        ok = !ec;
    }
    ~Scratch() {
        std::error_code ec;
        fs::current_path(previous, ec);
        if (!path.empty()) fs::remove_all(path, ec);
    }
    bool ok = false;

private:
    fs::path previous;
    fs::path path;
};

} // namespace

void printOutcome(const ZTReplayOutcome& out, double seconds) {
    std::printf("frames %u\n", out.frames);
    std::printf("score %u\n", out.score);
    std::printf("field %u\n", out.field);
    std::printf("tail %u\n", out.tail);
    std::printf("hash %016" PRIx64 "\n", out.hash);
    std::printf("seconds %.3f (%.0f frames/s)\n", seconds,
                seconds > 0 ? out.frames / seconds : 0.0);
}

double since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

int recordPilot(const fs::path& out, const fs::path& root) {
    const fs::path target = fs::absolute(out);
    Scratch scratch(root);
    if (!scratch.ok) {
        std::fprintf(stderr, "cannot make a scratch folder for the play\n");
        return 3;
    }
    HeadlessPlatform platform;
    platform.renderer.keepDraws = false;
    ZTPilot pilot;
    ZTReplayHooks hooks;
    hooks.before = [&](uint32_t) { ztPilotKeys(pilot.next(), platform.input.keys); };
    const auto start = std::chrono::steady_clock::now();
    ZTReplayRunner runner;
    const ZTReplayOutcome result = runner.record(10u * 60u * 60u * 60u, hooks);
    printOutcome(result, since(start));
    if (!result.ended) {
        std::fprintf(stderr, "the play did not end\n");
        return 3;
    }
    ZTReplayHeader header;
    header.score = result.score;
    header.field = result.field;
    header.tail = result.tail;
    const std::vector<uint8_t> bytes = ztBuildReplay(header, runner.recorded());
    if (!pfWriteAtomic(target.c_str(), bytes.data(), bytes.size(), true)) {
        std::fprintf(stderr, "%s: not saved (it may exist already)\n", target.c_str());
        return 3;
    }
    return 0;
}

constexpr const char* kUsage = "usage: zentaku-replay FILE [GAME_ROOT]\n"
                               "       zentaku-replay --pilot NEW_FILE [GAME_ROOT]\n"
                               "       zentaku-replay --help | --version\n";

int main(int argc, char** argv) {
    const std::string option = argc > 1 ? argv[1] : "";
    if (argc == 2 && option == "--help") {
        std::printf("%s\nPlays a replay without a window or sound and checks that it ends as "
                    "recorded.\nExit status: 0 it did, 1 a desync, 2 not a whole replay file, "
                    "3 bad arguments,\nno game root, no scratch folder or the file not saved.\n",
                    kUsage);
        return 0;
    }
    if (argc == 2 && option == "--version") {
        std::printf("zentaku-replay %s\n", ZT_VERSION);
        return 0;
    }
    const bool pilot = option == "--pilot";
    const int first = pilot ? 2 : 1;
    if (argc < first + 1 || argc > first + 2) {
        std::fprintf(stderr, "%s", kUsage);
        return 3;
    }
    fs::path root;
    if (argc == first + 2) {
        root = fs::absolute(argv[first + 1]);
    } else {
        const PfGameRoot found = pfGameRoot();
        if (!found.error.empty()) {
            std::fprintf(stderr, "zentaku-replay: %s\n", found.error.c_str());
            return 3;
        }
        root = found.root;
        pfSetDataDir(found.data);
    }
    if (!fs::is_directory(root / "dat")) {
        std::fprintf(stderr, "%s: no dat folder to play on\n", root.c_str());
        return 3;
    }
    if (pilot) return recordPilot(argv[first], root);

    ZTReplayHeader header;
    std::vector<uint32_t> words;
    if (!ztReadReplayFile(argv[1], header, words)) {
        std::fprintf(stderr, "%s: not a replay file, or not a whole one\n", argv[1]);
        return 2;
    }
    Scratch scratch(root);
    if (!scratch.ok) {
        std::fprintf(stderr, "cannot make a scratch folder for the play\n");
        return 3;
    }

    HeadlessPlatform platform;
    platform.renderer.keepDraws = false;
    ZTReplayOutcome out;
    const auto start = std::chrono::steady_clock::now();
    {
        ZTReplayRunner runner;
        // One frame past the last word: a play still running then has gone astray.
        out = runner.play(words, header.frames + 1);
    }
    printOutcome(out, since(start));

    bool desync = false;
    auto check = [&](const char* what, uint32_t got, uint32_t want) {
        if (got == want) return;
        std::fprintf(stderr, "desync: %s %u, the file says %u\n", what, got, want);
        desync = true;
    };
    if (!out.ended) std::fprintf(stderr, "desync: the play did not end with its last word\n");
    desync = desync || !out.ended;
    check("frames", out.frames, header.frames);
    check("score", out.score, header.score);
    check("field", out.field, header.field);
    check("tail", out.tail, header.tail);
    return desync ? 1 : 0;
}
