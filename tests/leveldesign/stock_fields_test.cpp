// The stock enemy sets: every field outside the bosses has one, each fits the field and leaves the
// tank's way in open, no two share a formation, and the automatic player finds every field worth
// playing: neither empty nor over in a moment.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "dat_text.h"
#include "data/set.h"
#include "field_trial.h"
#include "fields.h"

namespace fs = std::filesystem;

namespace {

bool isBoss(int field) {
    return ztFieldKind(field) != ZTFieldKind::Set;
}

// The stock set of a field, baked from its text as the bake does; empty when it is missing.
std::vector<ZTsetChip> stockSet(int field, std::string& error) {
    char name[16];
    std::snprintf(name, sizeof name, "s%02u.txt", ztFieldSet(field));
    const fs::path src = fs::path(ZT_DAT_SOURCE) / name;
    if (!fs::exists(src)) {
        error = std::string(name) + " is missing";
        return {};
    }
    std::ifstream in(src, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<uint8_t> bytes;
    if (!ztSetFromText(text, bytes, error)) return {};
    ZTSet set;
    set.parse(bytes.data(), bytes.size());
    return {set.chips.begin(), set.chips.end()};
}

// A rough measure of how much a set throws at the player: a middle tank is worth three small
// ones, a large five; a flyer generator two, three or four by the flyers it keeps up.
int weight(const std::vector<ZTsetChip>& chips) {
    static constexpr int byKind[6] = {1, 3, 5, 2, 3, 4};
    int w = 0;
    for (const ZTsetChip& c : chips)
        if (c.kind >= ZT_CHIP_SMALL && c.kind <= ZT_CHIP_FLYERS_8) w += byKind[c.kind];
    return w;
}

} // namespace

TEST(StockSets, EveryFieldOutsideTheBossesHasASetThatFitsTheField) {
    for (int field = 1; field <= 23; ++field) {
        if (isBoss(field)) continue;
        SCOPED_TRACE("field " + std::to_string(field));
        std::string error;
        const std::vector<ZTsetChip> chips = stockSet(field, error);
        ASSERT_TRUE(error.empty()) << error;
        int ground = 0;
        for (const ZTsetChip& c : chips) {
            const std::string where = "(" + std::to_string(c.x) + ", " + std::to_string(c.y) + ")";
            EXPECT_TRUE(c.kind >= ZT_CHIP_SMALL && c.kind <= ZT_CHIP_FLYERS_8)
                << "an editor marker at " << where;
            if (c.kind > ZT_CHIP_LARGE) continue; // a generator's place is not used
            ground += 1;
            // The outermost squares are centred on the wall's edge, half inside it.
            EXPECT_TRUE(c.x >= 64 && c.x <= 576 && c.y >= 64 && c.y <= 416)
                << "a tank in the wall at " << where;
            // The tank rolls in at the bottom centre.
            EXPECT_FALSE(c.y >= 352 && c.x >= 256 && c.x <= 384)
                << "the gate is blocked at " << where;
        }
        EXPECT_GE(ground, 4) << "a field needs something to fight";
    }
}

// Two fields share a formation when three or more of their tanks stand on the same cells as the
// same kinds, as laid out or mirrored left to right: every field is its own layout.
TEST(StockSets, NoTwoFieldsShareAFormation) {
    std::vector<std::vector<ZTsetChip>> ground(24);
    for (int field = 1; field <= 23; ++field) {
        if (isBoss(field)) continue;
        std::string error;
        for (const ZTsetChip& c : stockSet(field, error))
            if (c.kind <= ZT_CHIP_LARGE) ground[field].push_back(c);
        ASSERT_TRUE(error.empty()) << error;
    }
    const auto shared = [](const std::vector<ZTsetChip>& a, const std::vector<ZTsetChip>& b,
                           bool mirrored) {
        int n = 0;
        for (const ZTsetChip& p : a)
            for (const ZTsetChip& q : b)
                n += p.kind == q.kind && p.y == q.y && p.x == (mirrored ? 640 - q.x : q.x);
        return n;
    };
    for (int a = 1; a <= 23; ++a)
        for (int b = a + 1; b <= 23; ++b) {
            if (isBoss(a) || isBoss(b)) continue;
            EXPECT_LT(shared(ground[a], ground[b], false), 3) << "fields " << a << " and " << b;
            EXPECT_LT(shared(ground[a], ground[b], true), 3)
                << "fields " << a << " and " << b << ", one mirrored";
        }
}

TEST(StockSets, TheFlyersArriveOnTheFifthField) {
    for (int field = 1; field <= 5; ++field) {
        std::string error;
        int generators = 0;
        for (const ZTsetChip& c : stockSet(field, error))
            generators += c.kind >= ZT_CHIP_FLYERS_3 && c.kind <= ZT_CHIP_FLYERS_8;
        EXPECT_EQ(generators, field < 5 ? 0 : 1) << "field " << field;
    }
}

namespace {

// The automatic player on one field, over a spread of tail lengths it might bring along (the
// middle and large tanks grow tougher with the tail, and the tail is in the way).
struct TrialSummary {
    int enemies = 0;
    double firstFrames = 0; // mean play time of the first tank
    double firstKills = 0;  // mean ground enemies it destroyed
    double kills = 0;       // mean ground enemies destroyed by all three tanks
    double spits = 0;       // mean flyers shot down
    int fastestClear = 1 << 30;
};

TrialSummary trialSpread(int field) {
    TrialSummary s;
    int n = 0;
    for (int tail = 1; tail <= 22; tail += 3, ++n) {
        const FieldTrial t = ztTrialField(field, tail, 3, 60 * 120);
        s.enemies = t.enemies;
        s.firstFrames += t.firstFrames;
        s.firstKills += t.firstKills;
        s.kills += t.kills;
        s.spits += t.spitsDestroyed;
        if (t.cleared) s.fastestClear = std::min(s.fastestClear, t.frames);
    }
    s.firstFrames /= n;
    s.firstKills /= n;
    s.kills /= n;
    s.spits /= n;
    return s;
}

} // namespace

TEST(StockFields, TheAutomaticPlayerFindsEachFieldNeitherEmptyNorOverInAMoment) {
    StockDatDir dir(ZT_DAT_SOURCE);
    ASSERT_TRUE(dir.ok) << dir.error;
    double kills = 0;
    int fields = 0;
    for (int field = 4; field <= 23; ++field) {
        if (isBoss(field)) continue;
        SCOPED_TRACE("field " + std::to_string(field));
        const TrialSummary s = trialSpread(field);
        EXPECT_GE(s.enemies, 4) << "the field is built from its set";
        // Banner, entry and a first sweep: nobody clears a real field in ten seconds.
        EXPECT_GT(s.fastestClear, 600);
        // Not hopeless: the first tank lives a while.
        EXPECT_GE(s.firstFrames, 200.0);
        kills += s.kills;
        fields += 1;
    }
    // This simple player gets stuck on some layouts (the model player of the next tests is the
    // measure of each field); over the whole game its three tanks still take a share with them.
    EXPECT_GE(kills / fields, 3.0);
}

// The designer's table: how the automatic player fares on every field. Run it with
// --gtest_also_run_disabled_tests when changing a set; ZT_TRIAL_FIELD=n shows field n alone,
// tail by tail, with the place where each first tank was lost.
TEST(StockFields, DISABLED_PrintTheTrialTable) {
    StockDatDir dir(ZT_DAT_SOURCE);
    ASSERT_TRUE(dir.ok) << dir.error;
    if (const char* one = std::getenv("ZT_TRIAL_FIELD")) {
        const int field = std::atoi(one);
        for (int tail = 1; tail <= 22; tail += 3) {
            const FieldTrial t = ztTrialField(field, tail, 3, 60 * 120);
            std::printf("field %2d tail %2d: first tank %5d frames, %2d kills, lost at (%.0f, "
                        "%.0f); %d kills in all, %d misses, cleared %d\n",
                        field, tail, t.firstFrames, t.firstKills, t.lostX, t.lostY, t.kills,
                        t.misses, t.cleared);
        }
        return;
    }
    for (int field = 1; field <= 23; ++field) {
        if (isBoss(field)) continue;
        std::string error;
        const TrialSummary s = trialSpread(field);
        std::printf("field %2d: weight %2d, %2d tanks; first tank %5.0f frames, %4.1f kills; "
                    "three tanks %4.1f kills, %4.1f flyers; fastest clear %d frames\n",
                    field, weight(stockSet(field, error)), s.enemies, s.firstFrames, s.firstKills,
                    s.kills, s.spits, s.fastestClear == 1 << 30 ? -1 : s.fastestClear);
    }
}
