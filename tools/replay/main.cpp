// zentaku-replay: plays a replay file without a window or sound, as fast as the machine allows,
// from the game start through every scene the play passed, and checks that it ends as recorded;
// or turns it into PNG frames, a video or its sound alone, checks a folder of replays, or records a
// play of the automatic player. `zentaku-replay --help` lists the forms.
//
// GAME_ROOT is where the maps, sets and conversations are read from, below its dat/ (and the
// pictures and sounds of an export below pixel/ and snd/). Without it the root is found as the
// game finds it: the current folder when it holds pixel/, else the per-user root beside the
// installed data. Nothing is written there: the play runs in a scratch folder that sees only
// those folders. Exit status: 0 the play ended as the header says, 1 it did not (a desync), 2 the
// file is not a whole replay, 3 bad arguments, no game root, no scratch folder, ffmpeg missing or
// something not written. --hashes prints the state hash of every frame instead of the outcome.
#include <chrono>
#include <cinttypes>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "data/replay_file.h"
#include "export.h"
#include "input.h"
#include "language.h"
#include "options.h"
#include "pilot.h"
#include "platform/files.h"
#include "platform/game_root.h"
#include "platform/headless/headless.h"
#include "replay_run.h"
#include "scratch.h"
#include "verify.h"

namespace fs = std::filesystem;

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

int recordPilot(const fs::path& out, const fs::path& root, int minutes) {
    const fs::path target = fs::absolute(out);
    ZTScratch scratch(root, {"dat", "text"});
    if (!scratch.ok) {
        std::fprintf(stderr, "cannot make a scratch folder for the play\n");
        return 3;
    }
    HeadlessPlatform platform;
    platform.renderer.keepDraws = false;
    ZTPilot pilot;
    if (minutes > 0) {
        // Keep out of harm's way for most of the time, then fight, then give up near the end.
        const int frames = minutes * 60 * 60;
        pilot.waitUntil = frames > 6000 ? frames - 6000 : 0;
        pilot.giveUpFrame = frames - 600;
    }
    ZTReplayHooks hooks;
    hooks.before = [&](uint32_t) { kiHoldWord(pilot.next(), platform.input.keys); };
    const auto start = std::chrono::steady_clock::now();
    ZTReplayRunner runner;
    const ZTReplayOutcome result = runner.record(10u * 60u * 60u * 60u, hooks);
    printOutcome(result, since(start));
    if (!result.ended) {
        std::fprintf(stderr, "the play did not end\n");
        return 3;
    }
    if (!runner.saveRecorded(target.c_str(), result)) {
        std::fprintf(stderr, "%s: not saved (it may exist already)\n", target.c_str());
        return 3;
    }
    return 0;
}

int verifyOne(const fs::path& file, const fs::path& root) {
    const ZTVerdict v = ztVerifyReplay(file, root);
    if (v.status >= 2) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), v.problems.front().c_str());
        return v.status;
    }
    printOutcome(v.outcome, v.seconds);
    std::printf("language %s\n", ztLanguageName(v.header.language).c_str());
    for (const std::string& p : v.problems) std::fprintf(stderr, "desync: %s\n", p.c_str());
    return v.status;
}

// The per-frame state hashes, for comparing builds: a stream that differs names the first frame
// at which two builds stopped playing alike. The outcome goes to stderr, the stream to stdout.
int printHashes(const fs::path& file, const fs::path& root) {
    std::string buffer;
    const ZTVerdict v = ztVerifyReplay(file, root, [&](uint32_t frame, uint64_t hash) {
        char line[40];
        std::snprintf(line, sizeof line, "%u %016" PRIx64 "\n", frame, hash);
        buffer += line;
        if (buffer.size() > 1 << 16) {
            std::fputs(buffer.c_str(), stdout);
            buffer.clear();
        }
    });
    std::fputs(buffer.c_str(), stdout);
    if (v.status >= 2) {
        std::fprintf(stderr, "%s: %s\n", file.c_str(), v.problems.front().c_str());
        return v.status;
    }
    for (const std::string& p : v.problems) std::fprintf(stderr, "desync: %s\n", p.c_str());
    return v.status;
}

int main(int argc, char** argv) {
    ZTReplayOptions options;
    if (!ztParseOptions(argc, argv, options)) {
        std::fprintf(stderr, "zentaku-replay: %s\n", options.error.c_str());
        ztPrintUsage("zentaku-replay");
        return 3;
    }
    if (options.help) {
        ztPrintHelp("zentaku-replay");
        return 0;
    }
    if (options.version) {
        std::printf("zentaku-replay %s\n", ZT_VERSION);
        return 0;
    }
    fs::path root;
    if (!options.root.empty()) {
        root = fs::absolute(options.root);
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
    // The plays run in a scratch folder: every path given is taken from here first.
    const fs::path target = options.target.empty() ? fs::path() : fs::absolute(options.target);
    const fs::path file = options.file.empty() ? fs::path() : fs::absolute(options.file);
    ZTExportOptions exports;
    exports.from = options.from;
    exports.to = options.to;
    exports.scale = options.scale;
    exports.volumes = options.volumes;
    switch (options.mode) {
    case ZTReplayOptions::Pilot:
        return recordPilot(target, root, options.minutes);
    case ZTReplayOptions::Export:
        return ztExportFrames(target, file, root, exports);
    case ZTReplayOptions::Video:
        return ztExportVideo(target, file, root, exports);
    case ZTReplayOptions::Audio:
        return ztExportAudio(target, file, root, exports);
    case ZTReplayOptions::Check:
        return ztCheckFolder(target, root);
    case ZTReplayOptions::Hashes:
        return printHashes(file, root);
    case ZTReplayOptions::Verify:
        break;
    }
    return verifyOne(file, root);
}
