#include "hit.h"

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

void knResetLists() {
    knDamagers[0] = knDamagers[1] = nullptr;
    knDamageds[0] = knDamageds[1] = nullptr;
    knOthers[0] = knOthers[1] = nullptr;
}

namespace {
void pairTeams(int attackers) {
    for (KNDamager* d = knDamagers[attackers]; d; d = d->next) {
        if (d->sparesKin) {
            for (KNDamaged* v = knOthers[1 - attackers]; v; v = v->nextOther)
                if (v->knCheck(d)) d->knHit();
        } else {
            for (KNDamaged* v = knDamageds[1 - attackers]; v; v = v->next)
                if (v->knCheck(d)) d->knHit();
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
