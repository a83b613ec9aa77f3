#include "report.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>

#include "dat_text.h"
#include "data/set.h"
#include "fields.h"
#include "work.h"

std::map<int, FieldNote> readNotes(const std::string& dat) {
    std::map<int, FieldNote> out;
    std::ifstream in(dat + "/README.md");
    std::string line;
    while (std::getline(in, line)) {
        int field = 0;
        if (std::sscanf(line.c_str(), "| %d |", &field) != 1) continue;
        const size_t last = line.find_last_of('|');
        const size_t before = line.find_last_of('|', last == 0 ? 0 : last - 1);
        if (last == std::string::npos || before == std::string::npos || before >= last) continue;
        std::string idea = line.substr(before + 1, last - before - 1);
        while (!idea.empty() && idea.front() == ' ') idea.erase(idea.begin());
        while (!idea.empty() && idea.back() == ' ') idea.pop_back();
        out[field] = {idea, idea.find("breather") != std::string::npos};
    }
    return out;
}
std::string enemiesOf(const std::string& dat, int field) {
    if (ztFieldKind(field) == ZTFieldKind::Gyro) return "Gyro";
    if (ztFieldKind(field) == ZTFieldKind::LC) return "LC";
    char name[16];
    std::snprintf(name, sizeof name, "/s%02u.txt", ztFieldSet(field));
    std::ifstream in(dat + name, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<uint8_t> bytes;
    std::string why;
    if (!ztSetFromText(text, bytes, why)) return "?";
    ZTSet set;
    set.parse(bytes.data(), bytes.size());
    int small = 0, middle = 0, large = 0, generators = 0;
    for (const ZTsetChip& c : set.chips) {
        small += c.kind == ZT_CHIP_SMALL;
        middle += c.kind == ZT_CHIP_MIDDLE;
        large += c.kind == ZT_CHIP_LARGE;
        generators += c.kind >= ZT_CHIP_FLYERS_3 && c.kind <= ZT_CHIP_FLYERS_8;
    }
    std::string out;
    auto add = [&](int count, const char* what) {
        if (count == 0) return;
        if (!out.empty()) out += ", ";
        out += std::to_string(count) + " " + what;
    };
    add(small, "small");
    add(middle, "middle");
    add(large, "large");
    add(generators, generators == 1 ? "generator" : "generators");
    return out;
}

namespace {

int extendsAt(double score) {
    int n = 0;
    for (uint32_t at : ztExtendScores) n += score >= at;
    return n;
}

} // namespace

std::string curveChecks(const std::vector<Player>& players, const std::map<int, FieldNote>& notes) {
    std::string out;
    char buf[512];
    for (const Player& p : players) {
        const Row* f1 = rowOf(p, 1);
        const Row* f11 = rowOf(p, 11);
        if (!f1 || !f11) continue;
        int rises = 0, unplanned = 0;
        std::string where;
        for (int field = 2; field <= 11; ++field) {
            const Row* a = rowOf(p, field - 1);
            const Row* b = rowOf(p, field);
            if (!a || !b || 100.0 * (b->share() - a->share()) <= 5.0) continue;
            const auto note = notes.find(field);
            const bool meant = note != notes.end() && note->second.breather;
            rises += 1;
            unplanned += !meant;
            where += (where.empty() ? "" : ", ") + std::to_string(field) +
                     (meant ? " (a breather)" : " (not meant)");
        }
        const bool falls = f11->share() < f1->share();
        std::snprintf(buf, sizeof buf,
                      "- %s player, fields 1 to 11: %.0f%% to %.0f%% cleared without a miss; "
                      "%d step%s up by more than 5 points%s%s%s: %s.\n",
                      p.name.c_str(), 100.0 * f1->share(), 100.0 * f11->share(), rises,
                      rises == 1 ? "" : "s", where.empty() ? "" : " (field ", where.c_str(),
                      where.empty() ? "" : ")",
                      falls && rises <= 2 && unplanned == 0 ? "holds" : "DOES NOT HOLD");
        out += buf;
        double shortest = 1e30, longest = 0;
        for (int field = 1; field <= 11; ++field)
            if (const Row* r = rowOf(p, field); r && r->cleared) {
                shortest = std::min(shortest, r->meanFrames());
                longest = std::max(longest, r->meanFrames());
            }
        if (longest > 0) {
            std::snprintf(buf, sizeof buf,
                          "  Its fields 1 to 11 take %.0f to %.0f frames to clear on average, a "
                          "factor of %.1f: %s.\n",
                          shortest, longest, longest / shortest,
                          longest >= 2.0 * shortest ? "holds" : "DOES NOT HOLD");
            out += buf;
        }
        // Tanks: three to start with, and one more at each extend score.
        double lost = 0, boss = 0, score = 0;
        bool whole = true;
        for (int field = 1; field <= 12; ++field) {
            const Row* r = rowOf(p, field);
            if (!r || !r->cleared) {
                whole = false;
                break;
            }
            lost += r->missesPerClear();
            if (ztFieldKind(field) == ZTFieldKind::Gyro) boss = r->missesPerClear();
            score += r->clearScore;
        }
        if (!whole) continue;
        const int extends = extendsAt(score);
        std::snprintf(buf, sizeof buf,
                      "  Fields 1 to 12 cost it %.1f tanks per clear in all (%.1f on fields 1 to "
                      "11, %.1f on the Gyro), against the 3 it starts with and %d extend%s (about "
                      "%.0f points by the Gyro's end): %s the game gives.\n",
                      lost, lost - boss, boss, extends, extends == 1 ? "" : "s", score,
                      lost < 3 + extends ? "fewer than" : "MORE than");
        out += buf;
        // Tanks per clear count every try, as a play with continues goes on after each game
        // over. The same tries read as one game without a continue: the tanks in hand carried
        // from field to field, a field's clears after 0, 1 or 2 misses taking that many. With
        // more than three in hand only what a try with three showed is counted.
        double inHand[6] = {0, 0, 0, 1, 0, 0};
        double points = 0;
        int extendsSoFar = 0;
        for (int field = 1; field <= 12; ++field) {
            const Row* r = rowOf(p, field);
            double next[6] = {};
            for (int t = 1; t < 6; ++t)
                for (int k = 0; k < std::min(t, 3); ++k)
                    next[t - k] += inHand[t] * r->clearsAfter(k);
            points += r->clearScore;
            const int due = extendsAt(points);
            for (; extendsSoFar < due; ++extendsSoFar) {
                next[5] += next[4];
                for (int t = 4; t > 0; --t) next[t] = next[t - 1];
            }
            std::copy(std::begin(next), std::end(next), std::begin(inHand));
        }
        double through = 0;
        for (double q : inHand) through += q;
        std::snprintf(buf, sizeof buf,
                      "  One game with those tanks and no continue gets through the Gyro in %.*g%% "
                      "of plays.\n",
                      through >= 0.01 ? 3 : 2, 100.0 * through);
        out += buf;
    }
    return out;
}

std::string reportText(const std::vector<Player>& players, const std::map<int, FieldNote>& notes,
                       const Margins& margins) {
    // The overview: each field's idea and how each player fared on it.
    std::string table = "| field | enemies | idea |";
    for (const Player& p : players) table += " " + p.name + " |";
    table += " searching player |\n|---|---|---|";
    for (size_t k = 0; k < players.size(); ++k) table += "---|";
    table += "---|\n";
    char buf[1024];
    for (size_t i = 0; i < players[0].rows.size(); ++i) {
        const Row& r0 = players[0].rows[i];
        const auto note = notes.find(r0.field);
        const auto m = margins.perField.find(r0.field);
        table += "| " + std::to_string(r0.field) + " | " + r0.enemies + " | " +
                 (note == notes.end()
                      ? std::string(ztFieldKind(r0.field) == ZTFieldKind::Set ? "" : "the boss")
                      : note->second.idea) +
                 " |";
        for (const Player& p : players) {
            const Row& r = p.rows[i];
            std::snprintf(buf, sizeof buf, " %.0f%% |", 100.0 * r.share());
            table += buf;
        }
        table += " " + (m == margins.perField.end() ? std::string("-") : m->second) + " |\n";
    }
    // Each player in detail.
    for (const Player& p : players) {
        std::snprintf(buf, sizeof buf,
                      "\n### The %s player (decides every %d frames on the screen of %d frames "
                      "ago, looks %d frames ahead)\n\n",
                      p.name.c_str(), p.skill.decideEvery, p.skill.reaction, p.skill.lookahead);
        table += buf;
        table += "| field | tail at start | cleared without a miss | cleared with three tanks | "
                 "misses per clear | mean frames to clear | counter bursts a try |\n"
                 "|---|---|---|---|---|---|---|\n";
        for (const Row& r : p.rows) {
            char misses[32] = "-", frames[32] = "-";
            if (r.cleared) {
                std::snprintf(misses, sizeof misses, "%.2f", r.missesPerClear());
                std::snprintf(frames, sizeof frames, "%.0f", r.meanFrames());
            }
            std::snprintf(
                buf, sizeof buf, "| %d | %d | %.0f%% (%d of %d) | %d (%.0f%%) | %s | %s | %.1f |\n",
                r.field, r.tail, 100.0 * r.share(), r.clearedClean, r.tries, r.cleared,
                100.0 * r.cleared / std::max(r.tries, 1), misses, frames, r.burstsPerTry());
            table += buf;
        }
    }
    table += "\n### The curve, checked\n\n" + curveChecks(players, notes);
    if (!margins.summary.empty())
        table +=
            "\nThe searching player's replay, as the report played it: " + margins.summary + ".\n";
    return table;
}
