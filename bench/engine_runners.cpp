// The engine's per-frame runners: behaviours, the hit phase and sprite queueing.
#include <benchmark/benchmark.h>

#include "alloc_counter.h"
#include "behave.h"
#include "hit.h"
#include "platform/headless/headless.h"
#include "sprite.h"

namespace {

struct Mover : KilnBehave {
    Mover(int layer, float x_) : KilnBehave(layer), x(x_) {}
    bool kbMove() override {
        x += 0.5f;
        if (x > 600.0f) x = 40.0f;
        return true;
    }
    void kbDraw() override {}
    float x;
};

void reportAllocations(benchmark::State& state, uint64_t before) {
    state.counters["allocs/iter"] = benchmark::Counter(
        static_cast<double>(benchAllocations() - before) / static_cast<double>(state.iterations()));
}

void BM_kbMoveAll(benchmark::State& state) {
    kbResetLists();
    for (int i = 0; i < 2000; ++i) new Mover(i % kbLayerCount, static_cast<float>(i % 560));
    const uint64_t before = benchAllocations();
    for (auto _ : state) kbMoveAll();
    reportAllocations(state, before);
    kbDeleteAll();
}
BENCHMARK(BM_kbMoveAll);

struct Giver : KNDamager {
    Giver(int team, KVector at) : KNDamager(team) {
        centre = at;
        radius = 8.0f;
        power = 1;
    }
    void knBegin() override { hit = false; }
    void knEnd() override {}
    void knHit() override { hit = true; }
    bool hit = false;
};

struct Taker : KNDamaged {
    Taker(int team, KVector at) : KNDamaged(team), position(at) {}
    void knBegin() override { damage = 0; }
    void knEnd() override {}
    bool knCheck(KNDamager* d) override {
        if (!knWithin(d, position, 12.0f)) return false;
        damage += d->power;
        return true;
    }
    KVector position;
    int damage = 0;
};

void BM_knHitCheck(benchmark::State& state) {
    knResetLists();
    std::vector<Giver*> givers;
    std::vector<Taker*> takers;
    for (int i = 0; i < 300; ++i) {
        const float x = static_cast<float>(32 + (i * 37) % 576);
        const float y = static_cast<float>(32 + (i * 53) % 416);
        givers.push_back(new Giver(i % 2, {x, y, 0}));
        takers.push_back(new Taker(1 - i % 2, {y + 100, x - 20, 0}));
    }
    const uint64_t before = benchAllocations();
    for (auto _ : state) knHitCheck();
    reportAllocations(state, before);
    for (auto* g : givers) delete g;
    for (auto* t : takers) delete t;
}
BENCHMARK(BM_knHitCheck);

void BM_kspPutAndFlush(benchmark::State& state) {
    HeadlessPlatform platform;
    platform.renderer.keepDraws = false; // count the calls, keep no copies
    KilnSprite sprite(kCellCount, 4096, 4096, 11, 0.0);
    kspDefineAllCells(sprite);
    const uint64_t before = benchAllocations();
    for (auto _ : state) {
        for (int i = 0; i < 4096; ++i)
            sprite.kspPut(i % 187, static_cast<float>(i % 640), static_cast<float>(i % 480),
                          (i % 7) * 0.3f, 1.0f, 1.0f, 0xFFFFFFFF);
        sprite.kspFlush();
        sprite.kspClear();
    }
    reportAllocations(state, before);
}
BENCHMARK(BM_kspPutAndFlush);

void BM_kspPutOnly(benchmark::State& state) {
    HeadlessPlatform platform;
    KilnSprite sprite(kCellCount, 4096, 4096, 11, 0.0);
    kspDefineAllCells(sprite);
    const uint64_t before = benchAllocations();
    for (auto _ : state) {
        for (int i = 0; i < 4096; ++i)
            sprite.kspPut(i % 187, 100.0f, 100.0f, 0.0f, 1.0f, 1.0f, 0xFFFFFFFF);
        sprite.kspClear();
    }
    reportAllocations(state, before);
}
BENCHMARK(BM_kspPutOnly);

} // namespace

BENCHMARK_MAIN();
