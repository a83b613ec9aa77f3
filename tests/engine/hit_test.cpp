#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <utility>
#include <vector>

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

// Every shot touches every target of the other team whose sphere it overlaps, closer than the
// sum of the radii; each blow adds the shot's power to the target.
TEST_F(Hits, OverlapsBetweenTeams) {
    struct Sphere {
        int team;
        KVector at;
        float radius;
        int power = 0; // shots only
    };
    struct Case {
        const char* what;
        std::vector<Sphere> targets, shots;
        std::vector<int> shotHits, targetHits, damage;
    };
    const Case cases[] = {
        {"touching is no hit, one pixel closer is",
         {{1, {100, 100, 0}, 12.0f}},
         {{0, {124, 100, 0}, 12.0f, 1}, {0, {100, 123, 0}, 12.0f, 1}},
         {0, 1},
         {1},
         {1}},
        {"every overlap counts both ways",
         {{1, {50, 50, 0}, 12.0f}, {1, {52, 50, 0}, 12.0f}},
         {{0, {51, 50, 0}, 12.0f, 1}, {0, {51, 51, 0}, 12.0f, 2}},
         {2, 2},
         {2, 2},
         {3, 3}},
        {"power zero still hits but adds nothing",
         {{0, {10, 10, 0}, 6.0f}},
         {{1, {10, 10, 0}, 8.0f, 0}},
         {1},
         {1},
         {0}},
        {"a team never hits itself",
         {{0, {0, 0, 0}, 50.0f}, {1, {0, 0, 0}, 50.0f}},
         {{0, {0, 0, 0}, 50.0f, 1}, {1, {0, 0, 0}, 50.0f, 1}},
         {1, 1},
         {1, 1},
         {1, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        knResetLists();
        std::vector<std::unique_ptr<Target>> targets;
        std::vector<std::unique_ptr<Shot>> shots;
        for (const Sphere& t : c.targets)
            targets.push_back(std::make_unique<Target>(t.team, t.at, t.radius));
        for (const Sphere& s : c.shots)
            shots.push_back(std::make_unique<Shot>(s.team, s.at, s.radius, s.power));
        knHitCheck();
        for (size_t i = 0; i < shots.size(); ++i) {
            EXPECT_EQ(shots[i]->hits, c.shotHits[i]) << "shot " << i;
            EXPECT_TRUE(shots[i]->begun && shots[i]->ended) << "shot " << i;
        }
        for (size_t i = 0; i < targets.size(); ++i) {
            EXPECT_EQ(targets[i]->hitCount, c.targetHits[i]) << "target " << i;
            EXPECT_EQ(targets[i]->damage, c.damage[i]) << "target " << i;
        }
    }
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

// Kin and bounds only leave out tests that could not hit: a crowd of shots and targets, some
// far outside the field or nowhere at all, gives the same hits in the same order with them as
// without, less those of sparing shots on kin.
TEST_F(Hits, KinAndBoundsKeepEveryOtherHitAndItsOrder) {
    using Record = std::vector<std::pair<int, int>>; // (shot, target) per hit, in order
    struct Logged : Target {
        Logged(int team, KVector at, int id, Record& log)
            : Target(team, at, 12.0f), id(id), log(log) {}
        bool knCheck(KNDamager* d) override {
            const bool hit = Target::knCheck(d);
            if (hit) log.emplace_back(d->power, id);
            return hit;
        }
        int id;
        Record& log;
    };
    auto play = [](bool spare) {
        knResetLists();
        Record record;
        uint32_t seed = 7;
        auto place = [&seed]() {
            seed = seed * 1664525u + 1013904223u;
            const float x = static_cast<float>(seed >> 20) / 4096.0f * 840.0f - 100.0f;
            seed = seed * 1664525u + 1013904223u;
            return KVector{x, static_cast<float>(seed >> 20) / 4096.0f * 680.0f - 100.0f, 0};
        };
        std::vector<std::unique_ptr<Logged>> targets;
        std::vector<std::unique_ptr<Shot>> shots;
        for (int i = 0; i < 60; ++i) {
            KVector at = place();
            if (i == 5) at.x = 1e30f;
            if (i == 6) at.y = std::numeric_limits<float>::quiet_NaN();
            targets.push_back(std::make_unique<Logged>(i % 2, at, i, record));
            if (spare) targets.back()->knBound(&targets.back()->position, 12.0f);
            if (spare && i % 3 == 0) targets.back()->knMakeKin();
        }
        for (int i = 0; i < 40; ++i) {
            // Many shots each, so that the targets are filed by place; power is the shot's number.
            shots.push_back(
                std::make_unique<Shot>(i % 2, place(), 60.0f + static_cast<float>(i % 5), i));
            shots.back()->sparesKin = spare && i % 4 == 0;
        }
        knHitCheck();
        return record;
    };
    Record plain = play(false);
    ASSERT_GT(plain.size(), 20u);
    std::erase_if(
        plain, [](const std::pair<int, int>& h) { return h.first % 4 == 0 && h.second % 3 == 0; });
    EXPECT_EQ(play(true), plain);
}

} // namespace
