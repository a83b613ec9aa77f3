// Replays depend on objects being exactly reproducible: the same buttons give the same state.
#include <gtest/gtest.h>

#include <vector>

#include "object_test.h"
#include "objects/ground_enemies.h"
#include "objects/player.h"
#include "objects/tail.h"
#include "statehash.h"

namespace {

// A busy little field: the tank weaves and fires at three enemies that fire back.
std::vector<uint64_t> play(int frames, int nudgeFrame = -1) {
    ObjectWorld world;
    gWork->tail = 3;
    gWork->tailMax = 3;
    new ZTPlayer();
    new ZTEnm25P({200.0f, 160.0f, 0.0f});
    new ZTEnmMiddle({440.0f, 200.0f, 0.0f});
    new ZTEnmLarge({320.0f, 100.0f, 0.0f});
    const uint32_t steer[] = {KI_UP, KI_UP | KI_LEFT, KI_UP, KI_UP | KI_RIGHT, KI_RIGHT, KI_DOWN};
    std::vector<uint64_t> hashes;
    for (int f = 0; f < frames; ++f) {
        world.hold(KI_BUTTON1 | steer[(f / 20) % 6]);
        world.frame();
        if (f == nudgeFrame && tailLast) tailLast->blink += 1;
        hashes.push_back(ztStateHash());
    }
    return hashes;
}

TEST(StateHash, SameButtonsGiveTheSameHashEveryFrame) {
    const auto first = play(400);
    const auto second = play(400);
    ASSERT_EQ(first.size(), second.size());
    for (size_t i = 0; i < first.size(); ++i) ASSERT_EQ(first[i], second[i]) << "frame " << i;
    // The hash follows the play: no two neighbouring frames look alike.
    for (size_t i = 1; i < first.size(); ++i) EXPECT_NE(first[i], first[i - 1]) << i;
}

TEST(StateHash, ATailCounterChangesTheHashFromThatFrameOn) {
    const auto plain = play(120);
    const auto nudged = play(120, 60);
    EXPECT_EQ(plain[59], nudged[59]);
    EXPECT_NE(plain[60], nudged[60]);
}
} // namespace
