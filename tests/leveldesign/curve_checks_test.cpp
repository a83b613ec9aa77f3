// The report's verdicts on made-up tries: whether the first round's curve falls with no more
// rises than its README allows, whether its fields differ enough in length, and whether the
// tanks the game gives cover what the fields cost.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "report.h"

namespace {

// A player's first twelve fields, each tried 100 times: `clean` cleared with the first tank,
// every try cleared in the end, after `misses` lost tanks per clear; field 1 takes `frames`
// frames to clear, every other field 1000.
Player made(const std::vector<int>& clean, int frames, double misses, double score = 2000) {
    Player p{"test", {}, {}};
    for (int field = 1; field <= 12; ++field) {
        Row r;
        r.field = field;
        r.tries = r.cleared = 100;
        r.clearedClean = r.clearedWith[0] = clean[static_cast<size_t>(field - 1)];
        r.clearedWith[1] = 100 - r.clearedClean;
        r.misses = static_cast<int>(misses * 100);
        r.clearFrames = 100L * (field == 1 ? frames : 1000);
        r.clearScore = score;
        p.rows.push_back(r);
    }
    return p;
}

const std::vector<int> falling{90, 85, 80, 75, 70, 65, 60, 55, 50, 45, 40, 30};

struct Case {
    const char* what;
    Player player;
    std::map<int, FieldNote> notes;
    std::vector<std::string> says;
};

} // namespace

TEST(CurveChecks, GiveEachRuleItsVerdict) {
    std::vector<int> breather = falling, twoRises = falling, threeRises = falling;
    breather[7] = 75;
    twoRises[3] = twoRises[7] = 95;
    threeRises[3] = threeRises[5] = threeRises[7] = 95;
    const std::map<int, FieldNote> meant{
        {4, {"a breather", true}}, {6, {"a breather", true}}, {8, {"a breather", true}}};
    const std::vector<Case> cases{
        {"a steady fall",
         made(falling, 2000, 0.1),
         {},
         {"90% to 40% cleared without a miss; 0 steps up", "points: holds",
          "a factor of 2.0: holds",
          "1.2 tanks per clear in all (1.1 on fields 1 to 11, 0.1 on the Gyro)", "0 extends",
          "fewer than the game gives"}},
        {"a breather the README means",
         made(breather, 2000, 0.1),
         meant,
         {"1 step up by more than 5 points (field 8 (a breather)): holds"}},
        {"the same rise unannounced",
         made(breather, 2000, 0.1),
         {},
         {"(field 8 (not meant)): DOES NOT HOLD"}},
        {"two breathers", made(twoRises, 2000, 0.1), meant, {"2 steps up", "breather)): holds"}},
        {"three breathers", made(threeRises, 2000, 0.1), meant, {"3 steps up", "DOES NOT HOLD"}},
        {"fields too alike in length",
         made(falling, 1900, 0.1),
         {},
         {"a factor of 1.9: DOES NOT HOLD"}},
        {"more tanks than the game gives",
         made(falling, 2000, 0.3),
         {},
         {"3.6 tanks per clear in all", "MORE than the game gives"}},
        // 12 fields of 7000 points pass the first extend: four tanks cover 3.6.
        {"an extend on the way",
         made(falling, 2000, 0.3, 7000),
         {},
         {"1 extend (about 84000 points", "fewer than the game gives"}},
    };
    for (const Case& c : cases) {
        const std::string text = curveChecks({c.player}, c.notes);
        for (const std::string& s : c.says)
            EXPECT_NE(text.find(s), std::string::npos) << c.what << ": no \"" << s << "\" in\n"
                                                       << text;
    }
}

TEST(CurveChecks, OneGameWithoutAContinueCarriesTheTanksFromFieldToField) {
    // Every field cleared with the first tank: every game gets through. Every field cleared after
    // one miss: the third field takes the last tank, so none gets through.
    std::vector<int> all(12, 100), none(12, 0);
    EXPECT_NE(curveChecks({made(all, 2000, 0.0)}, {}).find("Gyro in 100% of plays"),
              std::string::npos);
    EXPECT_NE(curveChecks({made(none, 2000, 1.0)}, {}).find("Gyro in 0% of plays"),
              std::string::npos);
}
