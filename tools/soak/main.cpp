// zentaku-soak: runs the real main form headless from power-on for a number of frames, with
// seeded random buttons steered through every scene the title reaches, and fails on anything
// that goes wrong on the way: a scratch part left at a scene's end, a saved file that does not
// load back as saved, a saved replay that does not verify, a scene number never entered. A crash
// or a sanitizer report ends it with the sanitizer's own status. `zentaku-soak --help` for more.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <unistd.h>

#include "config.h"
#include "data/bytes.h"
#include "data/score_file.h"
#include "director.h"
#include "engine.h"
#include "input.h"
#include "main_form.h"
#include "platform/files.h"
#include "platform/game_root.h"
#include "platform/headless/headless.h"
#include "scratch.h"
#include "verify.h"

namespace fs = std::filesystem;

namespace {

const char* sceneNames[12] = {"power-on",      "title",   "game",       "map editor",
                              "set editor",    "restart", "next field", "replay save",
                              "replay select", "ranking", "name entry", "conversation"};

void usage(FILE* out) {
    std::fprintf(
        out,
        "usage: zentaku-soak [--frames N] [--seed S] [--replay-tool PATH] [--keep] [--trace]\n"
        "                    [GAME_ROOT]\n"
        "Runs the game's main form without a window from power-on for N frames (default\n"
        "50000) with seeded random buttons, steered through every scene: new games and\n"
        "continues, replays saved and watched, the ranking and the name entry, both\n"
        "editors (painting, placing, saving, leaving), the conversations, fields 1 to 24\n"
        "and both bosses.\n"
        "\n"
        "It fails (exit 1) when a scene ends with scratch parts left (\" ksmCount = \"\n"
        "other than 0 in the log), when a map, set, score table, configuration or replay\n"
        "it saved does not load back as saved, when a saved replay does not verify, or\n"
        "when one of the 12 scene numbers was never entered. Saved replays are verified\n"
        "by the verifier's code, or by running the zentaku-replay at --replay-tool.\n"
        "\n"
        "GAME_ROOT holds the stock dat/, text/, pixel/ and snd/ (found as the game finds it when\n"
        "left out). Nothing is written there: the soak plays in a scratch folder below\n"
        "TMPDIR (else /tmp), removed at the end unless --keep is given. --trace tells\n"
        "every change of scene on stderr.\n"
        "Exit status: 0 passed, 1 failed, 3 bad arguments or no place to play.\n");
}

bool wholeNumber(const char* text, long long& out) {
    char* end = nullptr;
    out = std::strtoll(text, &end, 10);
    return *text && !*end && out >= 0;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// The soak's own root, beside the texts, pictures and sounds linked from the stock: the stock
// maps and sets copied (the editors write there), an empty rep/, and a score table whose last
// entries any play can beat, so that finished plays reach the name entry.
bool fillRoot(const fs::path& stock, const fs::path& root) {
    std::error_code ec;
    fs::create_directories(root / "rep", ec);
    fs::copy(stock / "dat", root / "dat", fs::copy_options::recursive, ec);
    if (ec) return false;
    ZTscoreTable table = ztDefaultScores();
    int i = 0;
    for (ZThiScore& e : table)
        if (i++ >= 5) e.score = 0;
    const uint8_t key[16] = {};
    const std::vector<uint8_t> bytes = ztEncodeScores(table, key);
    std::ofstream(root / "score.dat", std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
    return !ec;
}

} // namespace

int main(int argc, char** argv) {
    long long frames = 50000, seed = 1;
    bool keep = false, trace = false;
    std::string rootArg, replayTool;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h") {
            usage(stdout);
            return 0;
        }
        if ((a == "--frames" || a == "--seed") && i + 1 < argc) {
            long long v = 0;
            if (!wholeNumber(argv[++i], v)) {
                std::fprintf(stderr, "zentaku-soak: %s takes a whole number\n", a.c_str());
                return 3;
            }
            (a == "--frames" ? frames : seed) = v;
        } else if (a == "--replay-tool" && i + 1 < argc) {
            replayTool = fs::absolute(argv[++i]).string();
        } else if (a == "--keep") {
            keep = true;
        } else if (a == "--trace") {
            trace = true;
        } else if (a[0] == '-' || !rootArg.empty()) {
            std::fprintf(stderr, "zentaku-soak: unexpected %s\n", a.c_str());
            usage(stderr);
            return 3;
        } else {
            rootArg = a;
        }
    }
    fs::path stock;
    if (!rootArg.empty()) {
        stock = fs::absolute(rootArg);
    } else {
        const PfGameRoot found = pfGameRoot();
        if (!found.error.empty()) {
            std::fprintf(stderr, "zentaku-soak: %s\n", found.error.c_str());
            return 3;
        }
        stock = found.data.empty() ? fs::path(found.root) : fs::path(found.data);
    }
    if (!fs::is_directory(stock / "dat")) {
        std::fprintf(stderr, "zentaku-soak: %s has no dat folder\n", stock.c_str());
        return 3;
    }
    ZTScratch scratch(stock, {"text", "pixel", "snd"});
    if (!scratch.ok) {
        const char* tmp = std::getenv("TMPDIR");
        std::fprintf(stderr, "zentaku-soak: cannot make a scratch folder below %s\n",
                     tmp && *tmp ? tmp : "/tmp");
        return 3;
    }
    scratch.keep = keep;
    const fs::path root = scratch.path;
    if (!fillRoot(stock, root)) {
        std::fprintf(stderr, "zentaku-soak: cannot copy the data into %s\n", root.c_str());
        return 3;
    }

    ZTSoakDirector director(static_cast<uint32_t>(seed));
    director.snapshotRoot = (root / "kept").string();
    director.trace = trace;
    long long sceneFrames[12] = {}, sceneEntries[12] = {};
    ZTConfig expected;
    ZTscoreTable expectedTable;
    const auto start = std::chrono::steady_clock::now();
    long long ran = 0;
    {
        HeadlessPlatform platform;
        platform.renderer.keepDraws = false;
        TForm1 form;
        auto lastReport = start;
        while (ran < frames && director.failures.empty()) {
            const bool fresh = keScene == nullptr;
            kiHoldWord(director.next(), platform.input.keys);
            if (!form.AppIdle()) {
                director.failures.push_back(
                    {"the program stopped by itself at frame " + std::to_string(ran + 1)});
                break;
            }
            ran += 1;
            if (keSceneNumber >= 0 && keSceneNumber < 12) {
                sceneFrames[keSceneNumber] += 1;
                if (fresh) sceneEntries[keSceneNumber] += 1;
            }
            director.check();
            const auto now = std::chrono::steady_clock::now();
            if (now - lastReport > std::chrono::seconds(10)) {
                lastReport = now;
                std::fprintf(stderr, "zentaku-soak: %lld of %lld frames\n", ran, frames);
            }
        }
        // Escape ends it as a player would; the scene goes and the files are written.
        platform.input.keys[KI_KEY_ESCAPE] = 0x80;
        form.AppIdle();
        expected.windowMode = form.windowMode;
        expected.refreshRate = form.refreshRate;
        expected.drawInterval = form.drawInterval;
        expected.spriteOffset = form.spriteOffset;
        expected.bgmEnabled = form.bgmEnabled;
        expected.stage = form.stage;
        expected.tailCount = form.tailCount;
        expectedTable = form.work.scoreTable;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::vector<ZTSoakFailure>& failures = director.failures;

    // What the shutdown wrote must read back as it was.
    ZTConfig read;
    if (!ztReadConfig("zent.ini", read) || read.windowMode != expected.windowMode ||
        read.refreshRate != expected.refreshRate || read.drawInterval != expected.drawInterval ||
        read.spriteOffset != expected.spriteOffset || read.bgmEnabled != expected.bgmEnabled ||
        read.stage != expected.stage || read.tailCount != expected.tailCount)
        failures.push_back({"zent.ini does not load back as it was saved"});
    std::vector<uint8_t> bytes;
    ZTscoreTable table;
    if (ztReadWholeFile("score.dat", ztScoreFileSize, bytes))
        table = ztDecodeScores(bytes.data(), bytes.size());
    bool sameTable = table.size() == expectedTable.size();
    for (auto a = table.begin(), b = expectedTable.begin(); sameTable && a != table.end(); ++a, ++b)
        sameTable = a->name == b->name && a->score == b->score && a->field == b->field &&
                    a->tail == b->tail;
    if (!sameTable) failures.push_back({"score.dat does not load back as it was saved"});

    // Every scene ended with no scratch part left over.
    const std::string log = readText("_ZT_Debug.log");
    int sceneEnds = 0;
    for (size_t at = log.find(" ksmCount = "); at != std::string::npos;
         at = log.find(" ksmCount = ", at + 1)) {
        sceneEnds += 1;
        const long left = std::strtol(log.c_str() + at + 12, nullptr, 10);
        if (left != 0)
            failures.push_back({"a scene ended with " + std::to_string(left) + " scratch parts"});
    }

    // Every replay saved verifies on the data it was recorded on: by the verifier's own code, or
    // by the zentaku-replay program given.
    int verified = 0;
    for (const ZTSoakDirector::Saved& s : director.replays) {
        const fs::path file = root / "rep" / s.name;
        if (!replayTool.empty()) {
            const std::string command =
                "'" + replayTool + "' '" + file.string() + "' '" + s.data + "' > /dev/null 2>&1";
            const int status = std::system(command.c_str());
            if (status != 0)
                failures.push_back({"rep/" + s.name + " does not verify with " + replayTool});
            else
                verified += 1;
            continue;
        }
        const ZTVerdict v = ztVerifyReplay(file, s.data);
        if (v.status != 0)
            failures.push_back({"rep/" + s.name + " does not verify: " + v.problems.front()});
        else
            verified += 1;
    }

    std::printf("frames %lld in %.1f s (%.0f frames/s)\n", ran, seconds,
                seconds > 0 ? static_cast<double>(ran) / seconds : 0.0);
    std::printf("%-14s %10s %8s\n", "scene", "frames", "entries");
    bool everyScene = true;
    for (int s = 0; s < 12; ++s) {
        std::printf("%2d %-11s %10lld %8lld\n", s, sceneNames[s], sceneFrames[s], sceneEntries[s]);
        everyScene = everyScene && sceneEntries[s] > 0;
    }
    std::printf("fields entered:");
    for (int f = 1; f <= 24; ++f) std::printf(" %d:%d", f, director.fieldsEntered[f]);
    std::printf("\nconversations entered: opening %d, before the boss %d, ending %d",
                director.conversations[0], director.conversations[1], director.conversations[2]);
    std::printf("\nsaved and read back: %d maps, %d sets, %d score tables (and the one at exit), "
                "%zu replays (%d verified); %d scene ends without scratch parts left\n",
                director.mapsSaved, director.setsSaved, director.scoresSaved,
                director.replays.size(), verified, sceneEnds);
    if (!everyScene) failures.push_back({"not every scene number was entered"});
    for (const ZTSoakFailure& f : failures) std::printf("FAILED: %s\n", f.what.c_str());
    if (keep) std::printf("kept %s\n", root.c_str());
    return failures.empty() ? 0 : 1;
}
