#include "bench_root.h"
#include "input.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "pilot.h"
#include "platform/headless/headless.h"
#include "replay_run.h"
#include "scratch.h"

namespace fs = std::filesystem;

bool benchGameRoot(int& argc, char** argv, std::initializer_list<const char*> needed,
                   fs::path& root) {
    char exe[4096];
    const ssize_t n = readlink("/proc/self/exe", exe, sizeof exe - 1);
    if (n > 0) {
        exe[n] = '\0';
        root = fs::path(exe).parent_path().parent_path() / "root";
    } else {
        root = fs::current_path() / "root";
    }
    int kept = 0;
    for (int i = 0; i < argc; ++i) {
        if (std::strncmp(argv[i], "--root=", 7) == 0)
            root = fs::absolute(argv[i] + 7);
        else
            argv[kept++] = argv[i];
    }
    argc = kept;
    std::string missing;
    for (const char* folder : needed)
        if (!fs::exists(root / folder))
            missing += std::string(missing.empty() ? "" : ", ") + folder;
    if (missing.empty()) return true;
    std::fprintf(stderr, "no game root with %s at %s (build the bake, or --root=DIR)\n",
                 missing.c_str(), root.c_str());
    return false;
}

void benchRun(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}

const std::vector<uint32_t>& benchTenMinutePlay(const fs::path& root, const fs::path& file) {
    static const std::vector<uint32_t> words = [&] {
        // The play sees the conversations' texts, as the program's own does: without them it
        // would wait at the first conversation for five minutes.
        ZTScratch scratch(root, {"dat", "text"});
        if (!scratch.ok) return std::vector<uint32_t>();
        HeadlessPlatform platform;
        platform.renderer.keepDraws = false;
        ZTPilot pilot;
        pilot.waitUntil = 30000;
        pilot.giveUpFrame = 36000;
        ZTReplayHooks hooks;
        hooks.before = [&](uint32_t) { kiHoldWord(pilot.next(), platform.input.keys); };
        ZTReplayRunner runner;
        const ZTReplayOutcome result = runner.record(100000, hooks);
        if (!result.ended || (!file.empty() && !runner.saveRecorded(file.c_str(), result)))
            return std::vector<uint32_t>();
        return runner.recorded();
    }();
    return words;
}
