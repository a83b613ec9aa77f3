// The state hash: the same button words from the same start give the same hash on every frame,
// and a replay of a recorded play hashes like the play itself.
#include <gtest/gtest.h>

#include "engine.h"
#include "game_play.h"
#include "scenes/game.h"
#include "statehash.h"

namespace {

// A busy script: steer round, fire in bursts, over a field with enemies of all three sizes.
uint32_t scripted(int frame) {
    static const uint32_t steer[] = {KI_LEFT, KI_UP, KI_RIGHT, KI_DOWN, 0, KI_LEFT | KI_UP};
    uint32_t word = steer[(frame / 40) % 6];
    // Frame 50 holds no fire, so flipping it there fires one extra shot.
    if ((frame / 15) % 3 != 0) word |= KI_BUTTON1;
    return word;
}

const std::vector<GamePlay::Chip> busyField = {{96, 96, 0},   {320, 96, 2},  {544, 96, 0},
                                               {160, 224, 1}, {480, 224, 1}, {320, 288, 0}};

std::vector<uint64_t> recordPlay(int frames, std::vector<uint32_t>* words, int flipFrame = -1) {
    GamePlay play;
    play.writeSet(1, busyField);
    play.start(1, 6);
    std::vector<uint64_t> hashes;
    for (int i = 0; i < frames; ++i) {
        play.hold(scripted(i) ^ (i == flipFrame ? KI_BUTTON1 : 0u));
        play.frame();
        hashes.push_back(ztStateHash());
    }
    if (words) *words = play.input.kimRecordBuf;
    return hashes;
}

} // namespace

TEST(StateHash, TheSameScriptGivesTheSameHashOnEveryFrame) {
    std::vector<uint32_t> words;
    const auto a = recordPlay(700, &words);
    const auto b = recordPlay(700, nullptr);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) ASSERT_EQ(a[i], b[i]) << "frame " << i;
    // A hash that never changes proves nothing: the play moves, so the value must too.
    int changes = 0;
    for (size_t i = 1; i < a.size(); ++i) changes += a[i] != a[i - 1];
    EXPECT_GT(changes, 600);
}

TEST(StateHash, AReplayOfTheRecordedWordsHashesLikeThePlay) {
    std::vector<uint32_t> words;
    const auto played = recordPlay(500, &words);
    ASSERT_EQ(words.size(), 500u);

    GamePlay replay;
    replay.writeSet(1, busyField);
    replay.start(1, 6, ZTPlayMode::Replay);
    replay.input.kimPlayBuf = words;
    for (size_t i = 0; i < played.size(); ++i) {
        replay.hold(0); // the live keyboard is idle; only the recording drives the tank
        replay.frame();
        ASSERT_EQ(ztStateHash(), played[i]) << "frame " << i;
    }
}

TEST(StateHash, OneExtraShotChangesTheHashFromThatFrameOn) {
    const auto a = recordPlay(300, nullptr);
    const auto b = recordPlay(300, nullptr, 50);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(a[i], b[i]) << "frame " << i;
    EXPECT_NE(a[50], b[50]);
    EXPECT_NE(a[60], b[60]) << "the tank keeps count of the extra shot";
}
