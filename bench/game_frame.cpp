// The busiest frame we expect in play: a 200-joint tail, ten counter bursts in flight, 30 large
// and 30 middle enemies, 300 enemy shots and the scorch marks of a long field. Measures the
// frame's logic (every behaviour's move and the hit phase), the queueing and flushing of its
// draw, and the heap allocations of a frame in which nothing is created.
#include <benchmark/benchmark.h>

#include "alloc_counter.h"
#include "behave.h"
#include "engine.h"
#include "frame.h"
#include "game_play.h"
#include "hit.h"
#include "kmath.h"
#include "objects/counter_shot.h"
#include "objects/effects.h"
#include "objects/eshot.h"
#include "scenes/game.h"

namespace {

// The shared headless play in a private folder holding the crowded enemy set.
struct Field : GamePlay {
    Field() {
        std::vector<Chip> crowd;
        // Large enemies on the upper rows, middle ones below them: 60 ground enemies.
        for (int i = 0; i < 30; ++i) crowd.push_back({64 + (i % 10) * 56, 64 + (i / 10) * 48, 2});
        for (int i = 0; i < 30; ++i) crowd.push_back({64 + (i % 10) * 56, 224 + (i / 10) * 40, 1});
        writeSet(1, crowd);
        platform.renderer.keepDraws = false;
    }

    // A new game scene with every crowd of the worst frame in place.
    void build() {
        keEndScene();
        start(1, 200, ZTPlayMode::Free);
        keStartFrame();
        for (int burst = 0; burst < 10; ++burst) {
            const KVector at{96.0f + 48.0f * burst, 400.0f, 0.0f};
            for (int i = 0; i < 64; ++i) {
                const float a = static_cast<float>(i) * (kmPiF / 32.0f);
                new ZTCounterShot(at, 12.0f * kmHeading(a), 201);
            }
        }
        for (int i = 0; i < 300; ++i) {
            const KVector at{40.0f + (i % 30) * 19.0f, 40.0f + (i / 30) * 40.0f, 0.0f};
            new ZTEShot(at, static_cast<float>(i) * 0.37f, 1.5f, i & 1);
        }
        for (int i = 0; i < 400; ++i)
            new ZTKoge({40.0f + (i % 20) * 28.0f, 40.0f + (i / 20) * 20.0f, 0.0f}, 1.0f);
    }

    // A fresh game scene two frames in: built, then playing.
    void restart() {
        keEndScene();
        start(1, 200, ZTPlayMode::Free);
        frames(2);
    }
};

int liveObjects() {
    int n = 0;
    for (int layer = 0; layer < kbLayerCount; ++layer)
        for (KilnBehave* b = kbHead[layer]; b; b = b->next) ++n;
    return n;
}

// One frame of logic, each iteration from a freshly built worst field.
void BM_WorstFrameLogic(benchmark::State& state) {
    Field field;
    int objects = 0;
    for (auto _ : state) {
        state.PauseTiming();
        field.build();
        objects = liveObjects();
        state.ResumeTiming();
        kbMoveAll();
        knHitCheck();
    }
    state.counters["objects"] = objects;
}
BENCHMARK(BM_WorstFrameLogic)->Unit(benchmark::kMicrosecond)->Iterations(300);

// The draw of the worst field: the ground, every layer's sprites and the head-up display, queued
// and flushed into a renderer that only counts.
void BM_WorstFrameDraw(benchmark::State& state) {
    Field field;
    field.build();
    kbMoveAll();
    knHitCheck();
    const int callsBefore = field.platform.renderer.drawCalls;
    for (auto _ : state) keScene->keDraw();
    state.counters["drawCalls/frame"] =
        static_cast<double>(field.platform.renderer.drawCalls - callsBefore) /
        static_cast<double>(state.iterations());
}
BENCHMARK(BM_WorstFrameDraw)->Unit(benchmark::kMicrosecond);

// A crowded field between volleys: the enemies turn their turrets and the tail follows the tank,
// but nothing is fired or destroyed, so a frame must not touch the heap.
void BM_QuietFrameAllocations(benchmark::State& state) {
    Field field;
    field.restart();
    uint64_t allocations = 0;
    int64_t frames = 0;
    for (auto _ : state) {
        // Frames 2 to 60: the first volley comes on frame 65.
        state.PauseTiming();
        if (frames % 58 == 0) field.restart();
        const uint64_t before = benchAllocations();
        state.ResumeTiming();
        ztFrameStep(true);
        state.PauseTiming();
        allocations += benchAllocations() - before;
        frames += 1;
        state.ResumeTiming();
    }
    state.counters["allocs/frame"] =
        static_cast<double>(allocations) / static_cast<double>(frames ? frames : 1);
}
BENCHMARK(BM_QuietFrameAllocations)->Unit(benchmark::kMicrosecond)->Iterations(580);

} // namespace

BENCHMARK_MAIN();
