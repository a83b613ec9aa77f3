#include "hit.h"

#include <algorithm>
#include <vector>

KNDamager* knDamagers[2];
KNDamaged* knDamageds[2];
KNDamaged* knOthers[2];

KNDamager::KNDamager(int team_) : team(team_) {
    next = knDamagers[team];
    if (next) next->prev = this;
    knDamagers[team] = this;
}

KNDamager::~KNDamager() {
    if (prev)
        prev->next = next;
    else if (knDamagers[team] == this)
        knDamagers[team] = next;
    if (next) next->prev = prev;
}

KNDamaged::KNDamaged(int team_) : team(team_) {
    next = knDamageds[team];
    if (next) next->prev = this;
    knDamageds[team] = this;
    nextOther = knOthers[team];
    if (nextOther) nextOther->prevOther = this;
    knOthers[team] = this;
}

namespace {
void leaveOthers(KNDamaged* v) {
    if (v->prevOther)
        v->prevOther->nextOther = v->nextOther;
    else if (knOthers[v->team] == v)
        knOthers[v->team] = v->nextOther;
    if (v->nextOther) v->nextOther->prevOther = v->prevOther;
    v->prevOther = v->nextOther = nullptr;
}
} // namespace

KNDamaged::~KNDamaged() {
    if (prev)
        prev->next = next;
    else if (knDamageds[team] == this)
        knDamageds[team] = next;
    if (next) next->prev = prev;
    if (!kin) leaveOthers(this);
}

void KNDamaged::knMakeKin() {
    if (!kin) leaveOthers(this);
    kin = true;
}

void KNDamaged::knBound(const KVector* at, float reach) {
    boundAt = at;
    boundReach = reach;
}

void knResetLists() {
    knDamagers[0] = knDamagers[1] = nullptr;
    knDamageds[0] = knDamageds[1] = nullptr;
    knOthers[0] = knOthers[1] = nullptr;
}

namespace {

// Whether `d` is too far off for bounded `v` to take its hit (never so for a position that is
// not a number).
bool beyond(const KNDamager* d, const KNDamaged* v) {
    if (!v->boundAt) return false;
    const float far = d->radius + v->boundReach + 1.0f;
    const float dx = v->boundAt->x - d->centre.x, dy = v->boundAt->y - d->centre.y;
    return dx > far || dx < -far || dy > far || dy < -far;
}

// The victims of one team by place: a grid of cells over the field and some way beyond (the
// outer cells take everything further out, and whatever is not a number), each listing its
// bounded victims by their place in the list. A damager tests only the bounded victims of the
// cells it may reach and those without bounds, in list order: the tests left out could not
// have hit, so the hits and their order stay as they were. A spare pixel keeps the rounding of
// the distance on the safe side.
class Broad {
public:
    // Files the victims; false when they are too few for it to pay.
    bool build(KNDamaged* first);
    // Tests the victims `d` may reach, in list order; `d` spares no kin.
    void pair(KNDamager* d);

private:
    static constexpr float cell = 64.0f, origin = -64.0f;
    static constexpr int columns = 12, rows = 10;
    // Clamped before the conversion, which a far-off value would overflow; NaN goes to 0.
    static int place(float at, int cells) {
        const float f = (at - origin) / cell;
        return f >= 1.0f ? static_cast<int>(std::min(f, cells - 1.0f)) : 0;
    }
    void test(KNDamager* d, size_t i);

    std::vector<KNDamaged*> victims; // in list order
    std::vector<float> reachOf;      // per victim: its reach and a spare pixel, or -1 unbounded
    std::vector<KVector> at;         // per victim: where it is
    std::vector<int> starts;         // per cell, where its victims begin in `filed`
    std::vector<int> filed;          // victim numbers, cell by cell, each cell in list order
    std::vector<int> unbounded;      // victim numbers, in list order
    std::vector<int> fill;
    std::vector<int> near;
    float widest = 0.0f;
};

bool Broad::build(KNDamaged* first) {
    victims.clear();
    for (KNDamaged* v = first; v; v = v->next) victims.push_back(v);
    if (victims.size() < 16) return false;
    const size_t n = victims.size();
    reachOf.resize(n);
    at.resize(n);
    filed.resize(n);
    near.resize(n);
    starts.assign(columns * rows + 1, 0);
    unbounded.clear();
    widest = 0.0f;
    for (size_t i = 0; i < n; ++i) {
        const KNDamaged* v = victims[i];
        if (!v->boundAt) {
            reachOf[i] = -1.0f;
            unbounded.push_back(static_cast<int>(i));
            continue;
        }
        reachOf[i] = v->boundReach + 1.0f;
        at[i] = *v->boundAt;
        widest = std::max(widest, reachOf[i]);
        // For now the cell's number, below its count.
        near[i] = place(at[i].y, rows) * columns + place(at[i].x, columns);
        starts[static_cast<size_t>(near[i]) + 1] += 1;
    }
    for (size_t c = 1; c < starts.size(); ++c) starts[c] += starts[c - 1];
    // Each cell filled from its start on, so in list order.
    fill.assign(starts.begin(), starts.end() - 1);
    for (size_t i = 0; i < n; ++i) {
        if (reachOf[i] < 0.0f) continue;
        int& slot = fill[static_cast<size_t>(near[i])];
        filed[static_cast<size_t>(slot++)] = static_cast<int>(i);
    }
    return true;
}

void Broad::test(KNDamager* d, size_t i) {
    KNDamaged* v = victims[i];
    if (reachOf[i] >= 0.0f) {
        const float far = d->radius + reachOf[i];
        const float dx = at[i].x - d->centre.x, dy = at[i].y - d->centre.y;
        if (dx > far || dx < -far || dy > far || dy < -far) return;
    }
    if (v->knCheck(d)) d->knHit();
}

void Broad::pair(KNDamager* d) {
    const float reach = d->radius + widest;
    const KVector c = d->centre;
    near.clear();
    if (!(reach < 1e6f) || !(c.x == c.x) || !(c.y == c.y)) {
        // No telling where it reaches: every victim.
        for (size_t i = 0; i < victims.size(); ++i) test(d, i);
        return;
    }
    const int c0 = place(c.x - reach, columns), c1 = place(c.x + reach, columns);
    const int r0 = place(c.y - reach, rows), r1 = place(c.y + reach, rows);
    for (int r = r0; r <= r1; ++r)
        near.insert(near.end(), filed.begin() + starts[static_cast<size_t>(r * columns + c0)],
                    filed.begin() + starts[static_cast<size_t>(r * columns + c1 + 1)]);
    std::sort(near.begin(), near.end());
    // The near ones and the unbounded ones, merged in list order.
    size_t a = 0, b = 0;
    while (a < near.size() || b < unbounded.size()) {
        const bool fromNear = b == unbounded.size() || (a < near.size() && near[a] < unbounded[b]);
        test(d, static_cast<size_t>(fromNear ? near[a++] : unbounded[b++]));
    }
}

Broad broad;

void pairTeams(int attackers) {
    // Filing the victims pays only for a good many damagers.
    int strangers = 0;
    for (KNDamager* d = knDamagers[attackers]; d && strangers < 8; d = d->next)
        strangers += d->sparesKin ? 0 : 1;
    const bool filed = strangers >= 8 && broad.build(knDamageds[1 - attackers]);
    for (KNDamager* d = knDamagers[attackers]; d; d = d->next) {
        if (d->sparesKin) {
            for (KNDamaged* v = knOthers[1 - attackers]; v; v = v->nextOther)
                if (!beyond(d, v) && v->knCheck(d)) d->knHit();
        } else if (filed) {
            broad.pair(d);
        } else {
            for (KNDamaged* v = knDamageds[1 - attackers]; v; v = v->next)
                if (!beyond(d, v) && v->knCheck(d)) d->knHit();
        }
    }
}

} // namespace

void knHitCheck() {
    for (int t = 0; t < 2; ++t)
        for (KNDamager* d = knDamagers[t]; d; d = d->next) d->knBegin();
    for (int t = 0; t < 2; ++t)
        for (KNDamaged* v = knDamageds[t]; v; v = v->next) v->knBegin();
    pairTeams(0);
    pairTeams(1);
    for (int t = 0; t < 2; ++t)
        for (KNDamager* d = knDamagers[t]; d; d = d->next) d->knEnd();
    for (int t = 0; t < 2; ++t)
        for (KNDamaged* v = knDamageds[t]; v; v = v->next) v->knEnd();
}
