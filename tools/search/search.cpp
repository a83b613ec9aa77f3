#include "search.h"

#include <vector>

#include "evaluation.h"
#include "input.h"
#include "work.h"
#include "worker_pool.h"

const uint32_t ztSearchWords[9] = {KI_BUTTON1,
                                   KI_BUTTON1 | KI_RIGHT,
                                   KI_BUTTON1 | KI_RIGHT | KI_DOWN,
                                   KI_BUTTON1 | KI_DOWN,
                                   KI_BUTTON1 | KI_DOWN | KI_LEFT,
                                   KI_BUTTON1 | KI_LEFT,
                                   KI_BUTTON1 | KI_LEFT | KI_UP,
                                   KI_BUTTON1 | KI_UP,
                                   KI_BUTTON1 | KI_UP | KI_RIGHT};

namespace {

struct Try {
    uint32_t word;
    bool pilot; // played on by the simple pilot, else held on
};

struct Result {
    double value;
    long frames;
};

} // namespace

uint32_t ZTSearch::choose() {
    // Each word with two continuations: held on, or steered by the simple pilot.
    std::vector<Try> all;
    for (uint32_t w : ztSearchWords)
        for (bool p : {false, true}) all.push_back({w, p});
    const ZTLook look{o.segment, o.lookahead + 60 * variant, o.pilotEvery};
    const auto results = ztForkEach<Result>(all.size(), o.jobs, [&](size_t i) {
        Result r{0.0, 0};
        r.value = ztRollout(platform, all[i].word, all[i].pilot, look, r.frames);
        return r;
    });
    std::vector<double> values(all.size(), -1e18);
    int alive = 0;
    for (size_t i = 0; i < all.size(); ++i) {
        counts.tries += 1;
        if (results[i]) {
            values[i] = results[i]->value;
            counts.simulated += results[i]->frames;
        }
        alive += ztAlive(values[i]);
    }
    Margin& m = margins[gWork->field];
    m.tightest = std::min(m.tightest, alive);
    // A play that went back prefers, among equals, the words the first pass ranked later.
    const size_t first = static_cast<size_t>(variant) * 5 % all.size();
    size_t best = first;
    for (size_t i = 0; i < all.size(); ++i) {
        const size_t k = (i + first) % all.size();
        if (values[k] > values[best]) best = k;
    }
    return all[best].word;
}
