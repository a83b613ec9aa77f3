// Replay playback speed: a ten-minute play (36,000 frames and a little more) through the
// verifier's runner, every frame drawn into the counting renderer, as `zentaku-replay` runs it.
// The stock data is read from the build's game root (next to this program's folder, or --root=DIR).
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "alloc_counter.h"
#include "bench_root.h"
#include "pilot.h"
#include "platform/headless/headless.h"
#include "replay/replay_run.h"

namespace fs = std::filesystem;

namespace {

fs::path gameRoot;

// A scratch folder that sees the game root's dat/ and takes the score file the work writes.
class Scratch {
public:
    Scratch() {
        previous = fs::current_path();
        char pattern[] = "/tmp/zt_bench_replay_XXXXXX";
        if (!mkdtemp(pattern)) std::abort();
        path = pattern;
        fs::create_directory_symlink(gameRoot / "dat", path / "dat");
        fs::create_directory_symlink(gameRoot / "text", path / "text");
        fs::current_path(path);
    }
    ~Scratch() {
        std::error_code ec;
        fs::current_path(previous, ec);
        fs::remove_all(path, ec);
    }

private:
    fs::path previous, path;
};

// The automatic player keeps clear of harm for most of ten minutes, then fights, and gives up
// once ten minutes have passed.
const std::vector<uint32_t>& tenMinutePlay() {
    static const std::vector<uint32_t> words = [] {
        Scratch scratch;
        HeadlessPlatform platform;
        platform.renderer.keepDraws = false;
        ZTPilot pilot;
        pilot.waitUntil = 30000;
        pilot.giveUpFrame = 36000;
        ZTReplayHooks hooks;
        hooks.before = [&](uint32_t) { ztPilotKeys(pilot.next(), platform.input.keys); };
        ZTReplayRunner runner;
        runner.record(100000, hooks);
        return runner.recorded();
    }();
    return words;
}

void BM_ReplayTenMinutes(benchmark::State& state) {
    const std::vector<uint32_t>& words = tenMinutePlay();
    if (words.size() < 36000) {
        state.SkipWithError("the recorded play is shorter than ten minutes");
        return;
    }
    Scratch scratch;
    HeadlessPlatform platform;
    platform.renderer.keepDraws = false;
    uint64_t frames = 0;
    const uint64_t before = benchAllocations();
    for (auto _ : state) {
        ZTReplayRunner runner;
        const ZTReplayOutcome out =
            runner.play(words, gLanguage, static_cast<uint32_t>(words.size()) + 1);
        if (!out.ended || out.frames != words.size()) state.SkipWithError("the replay desynced");
        frames += out.frames;
    }
    state.counters["frames"] = static_cast<double>(words.size());
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    state.counters["allocs/frame"] =
        static_cast<double>(benchAllocations() - before) / static_cast<double>(frames);
}
BENCHMARK(BM_ReplayTenMinutes)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(3.0);

} // namespace

int main(int argc, char** argv) {
    if (!benchGameRoot(argc, argv, {"dat"}, gameRoot)) return 1;
    benchRun(argc, argv);
    return 0;
}
