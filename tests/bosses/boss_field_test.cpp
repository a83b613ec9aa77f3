// Whole fields through the program's frame step: which field gets which boss, fields of spit
// generators, a boss field won, and the same play twice hashing alike.
#include <gtest/gtest.h>

#include "engine.h"
#include "field_look.h"
#include "fields.h"
#include "game_play.h"
#include "objects/boss_gyro.h"
#include "objects/boss_lc.h"
#include "objects/ground_enemies.h"
#include "objects/layers.h"
#include "objects/spit.h"
#include "scenes/game.h"
#include "statehash.h"

namespace {

// A set file for every field tried, so that a boss field visibly ignores it.
const std::vector<GamePlay::Chip> sentries = {{96, 96, 0}, {544, 96, 0}};

} // namespace

TEST(BossField, FieldsTwelveAndTwentyFourApartGetTheBossesWhateverSetsExist) {
    struct Case {
        int field;
        int gyros, lcs, smalls;
    };
    for (const Case& c : {Case{12, 1, 0, 0}, Case{36, 1, 0, 0}, Case{24, 0, 1, 0},
                          Case{48, 0, 1, 0}, Case{13, 0, 0, 2}}) {
        GamePlay play;
        play.writeSet(ztFieldSet(c.field), sentries);
        play.start(c.field, 1);
        play.frame();
        ASSERT_NE(currentGame, nullptr) << c.field;
        EXPECT_EQ(ztLayerObjects<ZTBossGyro>(ZT_LAYER_AIR).size(), static_cast<size_t>(c.gyros))
            << c.field;
        EXPECT_EQ(ztLayerObjects<ZTBossLC>(ZT_LAYER_GROUND).size(), static_cast<size_t>(c.lcs))
            << c.field;
        EXPECT_EQ(ztLayerObjects<ZTEnm25P>(ZT_LAYER_GROUND).size(), static_cast<size_t>(c.smalls))
            << c.field;
        EXPECT_EQ(gWork->groundCount, c.gyros + c.lcs + c.smalls) << c.field;
        if (c.lcs) {
            EXPECT_EQ(ztLayerObjects<ZTBossLC>(ZT_LAYER_GROUND)[0]->position,
                      (KVector{320.0f, 240.0f, 0.0f}));
        }
    }
}

TEST(BossField, ASetOfGeneratorsOnlyEndsAtOnceWithItsSpitsStillToCome) {
    GamePlay play;
    play.writeSet(1, {{32, 32, 5}, {64, 32, 3}, {96, 32, 4}, {128, 32, 6}});
    play.start(1, 1);
    play.frame();
    const auto gens = ztLayerObjects<ZTEnmSpitGen>(ZT_LAYER_AIR);
    ASSERT_EQ(gens.size(), 3u) << "kind 6 places nothing";
    // In the file's order: 8, 3 and 5 spits.
    EXPECT_EQ(gens[0]->maximum, 8);
    EXPECT_EQ(gens[1]->maximum, 3);
    EXPECT_EQ(gens[2]->maximum, 5);
    for (ZTEnmSpitGen* g : gens) EXPECT_EQ(g->interval, 24);
    EXPECT_EQ(gWork->groundCount, 0);
    play.frames(91);
    EXPECT_EQ(currentGame->state, ZT_FIELD_CLEARED) << "nothing holds the field open";
}

TEST(BossField, ShootingDownTheGyroClearsFieldTwelve) {
    GamePlay play;
    play.start(12, 1);
    play.frame();
    auto* boss = ztLayerObjects<ZTBossGyro>(ZT_LAYER_AIR).at(0);
    const uint32_t score = gWork->score;
    play.frames(100);
    ASSERT_EQ(currentGame->state, ZT_FIELD_PLAY);
    ASSERT_EQ(ztLayerObjects<ZTBossGyro>(ZT_LAYER_AIR).size(), 1u) << "still alive after its entry";
    // One last blow, as a hit phase records it.
    boss->life = 1;
    boss->damage = 3;
    play.frame();
    EXPECT_TRUE(ztLayerObjects<ZTBossGyro>(ZT_LAYER_AIR).empty());
    EXPECT_EQ(gWork->score, score + 600u);
    EXPECT_EQ(gWork->groundCount, 0);
    const int taken = play.runUntil([] { return keNextScene == ZT_SCENE_NEXTER; }, 400);
    EXPECT_GT(taken, 0) << "the cleared field hands over to the next-field pause";
}

TEST(BossField, TheSamePlayOnTheBossFieldsHashesAlikeEveryFrame) {
    auto run = [](int field) {
        GamePlay play;
        play.writeSet(1, {{32, 32, 5}, {320, 96, 1}});
        play.start(field, 8);
        std::vector<uint64_t> hashes;
        for (int i = 0; i < 900; ++i) {
            const uint32_t steer[] = {KI_LEFT, KI_UP, KI_RIGHT, KI_DOWN};
            play.hold(steer[(i / 50) % 4] | ((i / 20) % 2 ? KI_BUTTON1 : 0u));
            play.frame();
            hashes.push_back(ztStateHash());
        }
        return hashes;
    };
    for (int field : {1, 12, 24}) {
        const auto a = run(field);
        const auto b = run(field);
        for (size_t i = 0; i < a.size(); ++i) ASSERT_EQ(a[i], b[i]) << field << " frame " << i;
        int changes = 0;
        for (size_t i = 1; i < a.size(); ++i) changes += a[i] != a[i - 1];
        EXPECT_GT(changes, 800) << field;
    }
}
