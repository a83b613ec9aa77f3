// Replay playback speed: a ten-minute play (36,000 frames and a little more) through the
// verifier's runner, every frame drawn into the counting renderer, as `zentaku-replay` runs it.
// The stock data is read from the build's game root (next to this program's folder, or --root=DIR).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <vector>

#include "alloc_counter.h"
#include "bench_root.h"
#include "platform/headless/headless.h"
#include "replay_run.h"
#include "scratch.h"

namespace fs = std::filesystem;

namespace {

fs::path gameRoot;

void BM_ReplayTenMinutes(benchmark::State& state) {
    const std::vector<uint32_t>& words = benchTenMinutePlay(gameRoot);
    if (words.size() < 36000) {
        state.SkipWithError("the recorded play is shorter than ten minutes");
        return;
    }
    ZTScratch scratch(gameRoot, {"dat", "text"});
    if (!scratch.ok) {
        state.SkipWithError("no scratch folder");
        return;
    }
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
    if (!benchGameRoot(argc, argv, {"dat", "text"}, gameRoot)) return 1;
    benchRun(argc, argv);
    return 0;
}
