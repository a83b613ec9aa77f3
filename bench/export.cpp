// Exports and the viewer's jumps, on a ten-minute play of the automatic player:
// - PNG frames and video, each by today's way (one thread, every frame drawn whole by SDL, the
//   PNG made in memory as SDL_image made it, ARGB frames to ffmpeg) and by the new one (drawing
//   and encoding on two threads, the ground kept while it stays the same, the sprites' triangles
//   drawn by our own copy of SDL's rasteriser, RGB PNGs compressed whole by libdeflate, three
//   bytes a pixel to ffmpeg), side by side;
// - a jump of 10 s back near the end of the play, which plays it again silently from its start.
// The exports run 30 s of the play from its middle; the frames before run without drawing.
// The stock data is read from the build's game root (next to this program's folder, or
// --root=DIR). The machine's load is printed, as other work disturbs the figures.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <filesystem>
#include <string>
#include <vector>

#include "bench_root.h"
#include "creator.h"
#include "data/replay_file.h"
#include "engine.h"
#include "export.h"
#include "media_run.h"
#include "platform/headless/headless.h"
#include "replay_run.h"
#include "scratch.h"
#include "viewer.h"

namespace fs = std::filesystem;

namespace {

fs::path gameRoot;
fs::path work; // a scratch folder of our own for the play file and what the exports write

// The ten-minute play, saved as a replay file for the exports.
const fs::path& tenMinutePlay() {
    static const fs::path file =
        benchTenMinutePlay(gameRoot, work / "ten.rep").empty() ? fs::path() : work / "ten.rep";
    return file;
}

constexpr uint32_t kFrom = 18001, kTo = 19800; // 30 s from the play's fifth minute

ZTExportOptions style(bool today) {
    ZTExportOptions o;
    o.from = kFrom;
    o.to = kTo;
    o.overlap = o.fastDrawing = o.fastEncoding = !today;
    return o;
}

// The ten-minute play's header and words; false (the benchmark skipped) when there is none.
bool readTenMinutePlay(benchmark::State& state, ZTReplayHeader& header,
                       std::vector<uint32_t>& words) {
    const fs::path& play = tenMinutePlay();
    if (!play.empty() && ztReadReplayFile(play.c_str(), header, words)) return true;
    state.SkipWithError("the ten-minute play could not be recorded");
    return false;
}

void exportBench(benchmark::State& state, bool video, bool today) {
    const fs::path& play = tenMinutePlay();
    if (play.empty()) {
        state.SkipWithError("the ten-minute play could not be recorded");
        return;
    }
    if (video && ztFindFfmpeg().empty()) {
        state.SkipWithError("no ffmpeg on PATH");
        return;
    }
    double load[1] = {0};
    getloadavg(load, 1);
    uint64_t frames = 0;
    for (auto _ : state) {
        const fs::path out = work / (video ? "out.mp4" : "frames");
        const int status = video ? ztExportVideo(out, play, gameRoot, style(today))
                                 : ztExportFrames(out, play, gameRoot, style(today));
        if (status != 0) state.SkipWithError("the export failed");
        frames += kTo - kFrom + 1;
        std::error_code ec;
        fs::remove_all(out, ec);
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
    state.counters["load"] = load[0];
}

void BM_PngToday(benchmark::State& s) {
    exportBench(s, false, true);
}
void BM_PngNew(benchmark::State& s) {
    exportBench(s, false, false);
}
void BM_VideoToday(benchmark::State& s) {
    exportBench(s, true, true);
}
void BM_VideoNew(benchmark::State& s) {
    exportBench(s, true, false);
}
BENCHMARK(BM_PngToday)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_PngNew)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_VideoToday)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_VideoNew)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// Drawing alone, and the picture read back: SDL drawing every frame whole, or the new way.
void drawBench(benchmark::State& state, bool fastDrawing) {
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    if (!readTenMinutePlay(state, header, words)) return;
    uint64_t frames = 0;
    for (auto _ : state) {
        ZTScratch scratch(gameRoot, {"dat", "text", "pixel", "snd"});
        ZTMediaRun run(true, fastDrawing);
        std::vector<uint32_t> picture;
        run.playReading(
            words, header.language, kTo,
            [&](uint32_t) {
                frames += 1;
                return run.readPicture(picture);
            },
            kFrom);
    }
    state.counters["frames/s"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}
void BM_DrawToday(benchmark::State& s) {
    drawBench(s, false);
}
void BM_DrawNew(benchmark::State& s) {
    drawBench(s, true);
}
BENCHMARK(BM_DrawToday)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);
BENCHMARK(BM_DrawNew)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(1);

// 10 s back from near the end of the ten-minute play: the whole play again, silently.
void BM_ViewerJumpBack(benchmark::State& state) {
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    if (!readTenMinutePlay(state, header, words)) return;
    ZTScratch scratch(gameRoot, {"dat", "text"});
    HeadlessPlatform platform;
    platform.renderer.keepDraws = false;
    ZTReplayRunner runner;
    runner.play(words, header.language, 0);
    ZTReplayViewer viewer;
    gViewer = &viewer;
    viewer.begin();
    viewer.tick(false);
    const uint32_t near = viewer.length() - 60;
    for (auto _ : state) {
        state.PauseTiming();
        viewer.jumpTo(near);
        state.ResumeTiming();
        viewer.skip(false);
    }
    gViewer = nullptr;
    state.counters["frames"] = static_cast<double>(near - ZTReplayViewer::kSkipFrames);
}
BENCHMARK(BM_ViewerJumpBack)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    if (!benchGameRoot(argc, argv, {"dat", "pixel"}, gameRoot)) return 1;
    ZTScratch own;
    if (!own.ok) return 1;
    work = own.path;
    benchRun(argc, argv);
    return 0;
}
