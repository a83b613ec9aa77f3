#include "trials.h"

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "field_trial.h"
#include "report.h"

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

// Plays the tries of one field, `jobs` processes each taking every jobs-th seed.
std::vector<TryResult> playField(const ZTModelSkill& skill, int field, int tail, int tries,
                                 int jobs, int limit) {
    std::vector<TryResult> all;
    std::vector<std::pair<pid_t, int>> workers;
    for (int j = 0; j < jobs; ++j) {
        int fds[2];
        if (pipe(fds) != 0) std::exit(3);
        const pid_t pid = fork();
        if (pid < 0) std::exit(3);
        if (pid == 0) {
            close(fds[0]);
            for (int seed = 1 + j; seed <= tries; seed += jobs) {
                ZTModelPlayer model(static_cast<uint64_t>(field) * 1000003u + seed, skill);
                const FieldTrial t =
                    ztTrialField(field, tail, 3, limit, [&] { return model.next(); });
                const TryResult r{t.enemies,   t.cleared, t.misses, t.frames,
                                  t.tailAtEnd, t.bursts,  t.score};
                if (write(fds[1], &r, sizeof r) != static_cast<ssize_t>(sizeof r)) _exit(1);
            }
            _exit(0);
        }
        close(fds[1]);
        workers.push_back({pid, fds[0]});
    }
    for (auto [pid, fd] : workers) {
        TryResult r;
        while (read(fd, &r, sizeof r) == static_cast<ssize_t>(sizeof r)) all.push_back(r);
        close(fd);
        waitpid(pid, nullptr, 0);
    }
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
