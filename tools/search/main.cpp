// zentaku-search: a searching automatic player. It records a new game exactly as the title's
// new-game choice starts one and drives it with the buttons a player has: the direction buttons
// and the fire button (which also turns the conversation pages). Every few frames it tries each
// button word for a short segment, plays each try on ahead in a forked copy of the whole process,
// and keeps the word whose future looked best: alive longest, most enemies destroyed, most
// points and tail, closest to the next target. The play itself is never touched: the copies only
// look, so the saved replay plays the same on any machine.
//
//   zentaku-search [options] NEW_FILE [GAME_ROOT]
//   zentaku-search [options] --field N [GAME_ROOT]
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "data/replay_file.h"
#include "language.h"
#include "options.h"
#include "play.h"
#include "scratch.h"
#include "search.h"

namespace fs = std::filesystem;

namespace {

// The play's language: the prefix's, or the one named (the scratch root must be current).
bool chooseLanguage(const ZTSearchOptions& o) {
    if (o.language.empty()) return true;
    ZTLanguage named;
    if (!ztFindLanguage(o.language, named)) {
        std::fprintf(stderr, "zentaku-search: the game root has no language %s\n",
                     o.language.c_str());
        return false;
    }
    if (!o.prefix.empty() && named != gLanguage) {
        std::fprintf(stderr, "zentaku-search: %s is a play in %s\n", o.prefix.c_str(),
                     ztLanguageName(gLanguage).c_str());
        return false;
    }
    gLanguage = named;
    return true;
}

// This process only waits: the play runs in a child, and when it goes back to a kept state the
// play goes on in another process. The last one reports here.
int waitForPlay(const ZTSearchOptions& o, const fs::path& target,
                const std::vector<uint32_t>& prefix, ZTSearchCounts& counts) {
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    int report[2];
    if (pipe(report) != 0) return 3;
    const auto start = std::chrono::steady_clock::now();
    const pid_t worker = fork();
    if (worker < 0) return 3;
    if (worker == 0) {
        close(report[0]);
        _exit(ztSearchPlay(o, target, prefix, counts, report[1], start));
    }
    close(report[1]);
    ZTSearchOutcome out{};
    bool got = false;
    for (;;) {
        while (waitpid(-1, nullptr, WNOHANG) > 0) {}
        pollfd p{report[0], POLLIN, 0};
        if (poll(&p, 1, 200) <= 0) continue;
        got = read(report[0], &out, sizeof out) == static_cast<ssize_t>(sizeof out);
        break;
    }
    while (waitpid(-1, nullptr, 0) > 0) {}
    if (!got) {
        std::fprintf(stderr, "zentaku-search: the play stopped without a word\n");
        return 3;
    }
    const double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf("frames %u\nscore %u\nfield %u\ntail %u\nmisses %d\n", out.frames, out.score,
                out.field, out.tail, out.misses);
    std::printf("seconds %.1f (%ld tries of %ld frames in all: %.0f tried frames/s; "
                "%ld times back to a kept state)\n",
                seconds, counts.tries, counts.simulated, counts.simulated / seconds,
                counts.backtracks);
    if (out.status == 0 && !target.empty()) std::printf("saved %s\n", target.c_str());
    return out.status;
}

} // namespace

int main(int argc, char** argv) {
    ZTSearchOptions o;
    if (!ztParseSearchOptions(argc, argv, o)) {
        std::fprintf(stderr, "zentaku-search: %s\n%s", o.error.c_str(), ztSearchUsage);
        return 3;
    }
    if (o.help) {
        std::fputs(ztSearchUsage, stdout);
        return 0;
    }
    std::vector<std::string>& args = o.args;
    // With --field there is no file to save: the one argument is the game root.
    if (o.field > 0) args.insert(args.begin(), "");
    if (o.field > 0 && o.until > 0) {
        // A field alone saves nothing, so there is no play to give up.
        std::fprintf(stderr, "zentaku-search: --until does not go with --field\n");
        return 3;
    }
    if (args.size() < 1 + (o.field > 0) || args.size() > 2) {
        std::fputs(ztSearchUsage, stderr);
        return 3;
    }
    const fs::path target = o.field > 0 ? fs::path() : fs::absolute(args[0]);
    const fs::path root = fs::absolute(args.size() > 1 ? fs::path(args[1]) : fs::current_path());
    if (!fs::is_directory(root / "dat")) {
        std::fprintf(stderr, "zentaku-search: %s: no dat folder to play on\n", root.c_str());
        return 3;
    }
    if (!target.empty() && fs::exists(target)) {
        std::fprintf(stderr, "zentaku-search: %s exists already\n", target.c_str());
        return 3;
    }
    std::vector<uint32_t> prefix;
    if (!o.prefix.empty()) {
        ZTReplayHeader header;
        if (!ztReadReplayFile(o.prefix.c_str(), header, prefix)) {
            std::fprintf(stderr, "zentaku-search: %s: not a replay file\n", o.prefix.c_str());
            return 3;
        }
        gLanguage = header.language;
    }
    ZTScratch scratch(root, {"dat", "text"});
    if (!scratch.ok) {
        std::fprintf(stderr, "zentaku-search: cannot make a scratch folder for the play\n");
        return 3;
    }
    if (!chooseLanguage(o)) return 3;
    signal(SIGPIPE, SIG_IGN);
    void* memory = mmap(nullptr, sizeof(ZTSearchCounts), PROT_READ | PROT_WRITE,
                        MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        std::perror("zentaku-search: mmap");
        return 3;
    }
    auto* counts = static_cast<ZTSearchCounts*>(memory);
    *counts = {};
    return waitForPlay(o, target, prefix, *counts);
}
