#include <gtest/gtest.h>

#include "hit.h"

namespace {

struct Shot : KNDamager {
    Shot(int team, KVector at, float r, int p) : KNDamager(team) {
        centre = at;
        radius = r;
        power = p;
    }
    void knBegin() override { hits = 0, begun = true; }
    void knEnd() override { ended = true; }
    void knHit() override { hits += 1; }
    int hits = 0;
    bool begun = false, ended = false;
};

struct Target : KNDamaged {
    Target(int team, KVector at, float r) : KNDamaged(team), position(at), radius(r) {}
    void knBegin() override { damage = 0, hitCount = 0; }
    void knEnd() override {}
    bool knCheck(KNDamager* d) override {
        if (!knWithin(d, position, radius)) return false;
        damage += d->power;
        hitCount += 1;
        return true;
    }
    KVector position;
    float radius;
    int damage = 0, hitCount = 0;
};

class Hits : public ::testing::Test {
protected:
    void SetUp() override { knResetLists(); }
};

TEST_F(Hits, TouchingIsNoHitOnePixelCloserIs) {
    Target enemy(1, {100, 100, 0}, 12.0f);
    Shot touching(0, {124, 100, 0}, 12.0f, 1); // exactly 12 + 12 away
    Shot closer(0, {100, 123, 0}, 12.0f, 1);
    knHitCheck();
    EXPECT_EQ(touching.hits, 0);
    EXPECT_EQ(closer.hits, 1);
    EXPECT_EQ(enemy.damage, 1);
}

TEST_F(Hits, EveryOverlapCountsBothWays) {
    Target a(1, {50, 50, 0}, 12.0f), b(1, {52, 50, 0}, 12.0f);
    Shot s1(0, {51, 50, 0}, 12.0f, 1), s2(0, {51, 51, 0}, 12.0f, 2);
    knHitCheck();
    EXPECT_EQ(s1.hits, 2);
    EXPECT_EQ(s2.hits, 2);
    EXPECT_EQ(a.damage, 3);
    EXPECT_EQ(b.damage, 3);
    EXPECT_TRUE(s1.begun && s1.ended);
}

TEST_F(Hits, PowerZeroStillHitsButAddsNothing) {
    Target player(0, {10, 10, 0}, 6.0f);
    Shot body(1, {10, 10, 0}, 8.0f, 0);
    knHitCheck();
    EXPECT_EQ(body.hits, 1);
    EXPECT_EQ(player.hitCount, 1);
    EXPECT_EQ(player.damage, 0);
}

TEST_F(Hits, TeamsNeverHitThemselves) {
    Target ours(0, {0, 0, 0}, 50.0f), theirs(1, {0, 0, 0}, 50.0f);
    Shot ourShot(0, {0, 0, 0}, 50.0f, 1), theirShot(1, {0, 0, 0}, 50.0f, 1);
    knHitCheck();
    EXPECT_EQ(ours.hitCount, 1);
    EXPECT_EQ(theirs.hitCount, 1);
    EXPECT_EQ(ourShot.hits, 1);
    EXPECT_EQ(theirShot.hits, 1);
}

TEST_F(Hits, RecordsAreClearedAtTheNextPhaseAndDestroyedComponentsLeave) {
    Target enemy(1, {0, 0, 0}, 12.0f);
    {
        Shot shot(0, {0, 0, 0}, 4.0f, 1);
        knHitCheck();
        EXPECT_EQ(enemy.damage, 1);
    }
    knHitCheck(); // the shot is gone: nothing hits
    EXPECT_EQ(enemy.damage, 0);
    EXPECT_EQ(knDamagers[0], nullptr);
}

} // namespace
