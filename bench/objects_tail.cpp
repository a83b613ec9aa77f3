// The tail on its own: 200 joints following (nothing is created, so no allocation may happen),
// and the same tail with 10 armed joints firing counter bursts.
#include <benchmark/benchmark.h>

#include "alloc_counter.h"
#include "behave.h"
#include "hit.h"
#include "object_world.h"
#include "objects/joint.h"
#include "objects/layers.h"
#include "objects/tail.h"
#include "work.h"

namespace {

// A head that circles, pushing its history as the tank would, so the joints really move.
struct Head : KilnBehave {
    Head()
        : KilnBehave(ZT_LAYER_TANK), joint(new ZTJoint(16, {320.0f, 240.0f, 0.0f}, 0.0f, nullptr)) {
    }
    ~Head() override { ksRelease(joint); }
    bool kbMove() override {
        angle += 0.1308997f;
        position += 2.0f * kmHeading(angle);
        joint->push(position, angle, 0);
        return true;
    }
    void kbDraw() override {}
    ZTJoint* joint;
    KVector position{320.0f, 240.0f, 0.0f};
    float angle = 0.0f;
};

// The shared object world with a 200-joint tail behind the circling head.
struct TailField : ObjectWorld {
    explicit TailField(int armed) {
        gWork->tail = 200;
        auto* head = new Head();
        new ZTTail(ZT_JOINT_PLAIN, 1, head->joint, false);
        for (int i = 1; i < 200; ++i)
            addTail(i % 20 == 0 && armed > 0 ? ZT_JOINT_ARMED : ZT_JOINT_PLAIN, false);
        for (int i = 0; i < 300; ++i) frame(); // let the tail unfold
    }
    static void frame() {
        kbMoveAll();
        knHitCheck();
    }
    // Keeps every armed joint firing.
    static void rearm() {
        for (ZTTail* t = tailFirst; t; t = t->nextTail)
            if (t->kind == ZT_JOINT_ARMED && t->counterState == ZT_COUNTER_WAITING) {
                t->charge = 1;
                t->counterState = ZT_COUNTER_FIRING;
                t->counterTimer = 128;
            }
    }
};

void report(benchmark::State& state, uint64_t before) {
    state.counters["allocs/frame"] = benchmark::Counter(
        static_cast<double>(benchAllocations() - before) / static_cast<double>(state.iterations()));
}

void BM_TailFollowing200(benchmark::State& state) {
    TailField field(0);
    const uint64_t before = benchAllocations();
    for (auto _ : state) TailField::frame();
    report(state, before);
}
BENCHMARK(BM_TailFollowing200)->Unit(benchmark::kMicrosecond);

void BM_TailWithTenBursts(benchmark::State& state) {
    TailField field(10);
    TailField::rearm();
    for (int i = 0; i < 40; ++i) TailField::frame(); // fill the air with counter shots
    const uint64_t before = benchAllocations();
    for (auto _ : state) {
        TailField::rearm();
        TailField::frame();
    }
    report(state, before);
}
BENCHMARK(BM_TailWithTenBursts)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
