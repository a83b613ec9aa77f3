#include "trials.h"

#include <algorithm>
#include <cstdio>

#include "field_trial.h"
#include "report.h"
#include "worker_pool.h"

std::vector<Player> stockPlayers() {
    return {
        {"weaker", {6, 18, 12, 0.3f, 0.06f, 3.0f}, {}},
        {"usual", {}, {}},
        {"stronger", {6, 9, 40, 0.3f, 0.06f, 3.0f}, {}},
    };
}

const Row* rowOf(const Player& p, int field) {
    for (const Row& r : p.rows)
        if (r.field == field) return &r;
    return nullptr;
}

namespace {

struct TryResult {
    int32_t enemies, cleared, misses, frames, tailAtEnd, bursts;
    uint32_t score;
};

// Plays the tries of one field, each in a process of its own, `jobs` at a time.
std::vector<TryResult> playField(const ZTModelSkill& skill, int field, int tail, int tries,
                                 int jobs, int limit) {
    const auto results = ztForkEach<TryResult>(static_cast<size_t>(tries), jobs, [&](size_t i) {
        ZTModelPlayer model(static_cast<uint64_t>(field) * 1000003u + i + 1, skill);
        const FieldTrial t = ztTrialField(field, tail, 3, limit, [&] { return model.next(); });
        return TryResult{t.enemies, t.cleared, t.misses, t.frames, t.tailAtEnd, t.bursts, t.score};
    });
    std::vector<TryResult> all;
    for (const auto& r : results)
        if (r) all.push_back(*r);
    return all;
}

} // namespace

bool playFields(Player& player, int first, int last, int startTail, int tries, int jobs,
                const std::string& dat) {
    bool empty = false;
    int tail = startTail;
    for (int field = first; field <= last; ++field) {
        Row r;
        r.field = field;
        r.tail = tail;
        r.enemies = enemiesOf(dat, field);
        std::fprintf(stderr, "%s player, field %2d, tail %2d: %d tries ...", player.name.c_str(),
                     field, tail, tries);
        std::fflush(stderr);
        const std::vector<TryResult> results =
            playField(player.skill, field, tail, tries, jobs, 60 * 60 * 5);
        std::vector<int> tails;
        for (const TryResult& t : results) {
            r.tries += 1;
            r.emptyTries += t.enemies == 0;
            r.misses += t.misses;
            r.bursts += t.bursts;
            if (t.cleared) {
                r.cleared += 1;
                r.clearedClean += t.misses == 0;
                if (t.misses >= 0 && t.misses < 3) r.clearedWith[t.misses] += 1;
                r.clearFrames += t.frames;
                r.clearScore += t.score;
                tails.push_back(t.tailAtEnd);
            }
        }
        if (r.cleared) r.clearScore /= r.cleared;
        std::sort(tails.begin(), tails.end());
        r.tailOut = tails.empty() ? tail : tails[tails.size() / 2];
        std::fprintf(stderr, " %d cleared, %d without a miss, %.1f bursts a try\n", r.cleared,
                     r.clearedClean, r.burstsPerTry());
        empty = empty || r.emptyTries > 0;
        if (r.cleared == 0) std::fprintf(stderr, "field %d: no try cleared it\n", field);
        // A play that cleared this field brings its tail on; the second round starts where
        // the Gyro left it (the Gyro adds no joint).
        tail = std::max(1, r.tailOut);
        player.rows.push_back(r);
    }
    return !empty;
}
