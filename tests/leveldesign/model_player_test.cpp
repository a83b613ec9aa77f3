// The model player that measures difficulty, over a few stock fields: each field still has
// something to fight and is still winnable by a player with a person's limits, and the model
// never takes a number from the game's random sequence.
#include <gtest/gtest.h>

#include <string>

#include "field_trial.h"
#include "model_player.h"
#include "random.h"

namespace {

struct FieldCase {
    int field;
    int tail; // about what a play brings there
};

class ModelPlayer : public ::testing::TestWithParam<FieldCase> {};

TEST_P(ModelPlayer, FindsTheFieldNeitherEmptyNorImpossible) {
    StockDatDir dir(ZT_DAT_SOURCE);
    ASSERT_TRUE(dir.ok) << dir.error;
    const FieldCase c = GetParam();
    int kills = 0, clears = 0, firstFrames = 0;
    constexpr int tries = 3;
    for (int seed = 1; seed <= tries; ++seed) {
        ZTModelPlayer model(static_cast<uint64_t>(seed));
        bool sequenceKept = true;
        const FieldTrial t = ztTrialField(c.field, c.tail, 3, 60 * 90, [&] {
            const uint32_t before = kuRandomState;
            const uint32_t word = model.next();
            sequenceKept = sequenceKept && kuRandomState == before;
            return word;
        });
        EXPECT_TRUE(sequenceKept) << "the model drew from the game's random sequence";
        EXPECT_GE(t.enemies, 4) << "the field is built from its set";
        kills += t.kills;
        clears += t.cleared;
        firstFrames += t.firstFrames;
    }
    // Impossible would be: the tanks go down at once and take nothing with them.
    EXPECT_GE(firstFrames / tries, 45) << "the first tank hardly lives";
    EXPECT_GE(kills, tries) << "three tanks a try destroy next to nothing";
    if (c.field <= 2) {
        EXPECT_GE(clears, 2) << "the opening fields are for everyone";
    }
}

INSTANTIATE_TEST_SUITE_P(StockFields, ModelPlayer,
                         ::testing::Values(FieldCase{1, 1}, FieldCase{4, 14}, FieldCase{9, 14},
                                           FieldCase{11, 14}, FieldCase{13, 14}, FieldCase{17, 14},
                                           FieldCase{21, 14}),
                         [](const ::testing::TestParamInfo<FieldCase>& info) {
                             return "Field" + std::to_string(info.param.field);
                         });

} // namespace
