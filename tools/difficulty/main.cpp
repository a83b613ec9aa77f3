// zentaku-difficulty: how hard each field is for a person. A model player with a person's limits
// (model_player.h) plays every field from its start, as the developer menu starts one, many
// times over with different wanderings of its hands, and the tool tabulates what became of it.
// Each field starts with the tail a play of this model typically brings there: the median tail
// of the tries that cleared the field before.
//
//   zentaku-difficulty [options]
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "behave.h"
#include "creator.h"
#include "dat_text.h"
#include "data/replay_file.h"
#include "data/set.h"
#include "engine.h"
#include "field_trial.h"
#include "model_player.h"
#include "objects/eshot.h"
#include "objects/ground_enemies.h"
#include "objects/player.h"
#include "objects/tail.h"
#include "platform/headless/headless.h"
#include "replay_run.h"
#include "scenes/game.h"
#include "work.h"

namespace {

const char* usage =
    "usage: zentaku-difficulty [options]\n"
    "\n"
    "Plays every field with model players that have a person's limits and writes a table of\n"
    "how the tries went: a weaker player, the usual one and a stronger one. The stock sets are\n"
    "baked afresh from the source folder into a scratch folder; nothing in a game root is read\n"
    "or written.\n"
    "\n"
    "options:\n"
    "  --dat DIR       the map and set sources and their README (default: the project's data/dat)\n"
    "  --fields A-B    the fields to play (default 1-24)\n"
    "  --tries N       tries per field, each with its own seed (default 50)\n"
    "  --tail N        the tail the first field played starts with (default 1)\n"
    "  --jobs N        tries played at the same time, one process each (default 2)\n"
    "  --only NAME     play only the weaker, usual or stronger player\n"
    "  --skill D,R,L,A,S,N  play only this model: decides every D frames on the screen of R\n"
    "                  frames ago, checks its course L frames ahead, aims with a spread of A\n"
    "                  radians, presses a wrong neighbour with chance S, sees things N pixels\n"
    "                  off (the usual player is 6,12,20,0.3,0.06,3)\n"
    "  --search FILE   a replay of the searching player: its closest call and tanks lost on\n"
    "                  each field it played go into the table\n"
    "  --root DIR      the game root whose dat/ that replay is played on (default: .)\n"
    "  --table FILE    write the Markdown tables and the checks here (default: stdout)\n"
    "  --chart FILE    write an SVG chart of each player's clear share\n"
    "  --help          this text\n"
    "\n"
    "Progress goes to stderr. Exit status: 0 done, 1 a field had no ground enemy,\n"
    "3 bad arguments or the data did not bake.\n";

struct Row {
    int field = 0;
    int tail = 0;
    std::string enemies;
    int tries = 0;
    int clearedClean = 0; // cleared with the first tank
    int cleared = 0;
    int misses = 0;
    long clearFrames = 0;
    long bursts = 0;       // counter bursts over all tries
    double clearScore = 0; // mean points of the tries that cleared
    int emptyTries = 0;    // tries that found no ground enemy at all
    int tailOut = 0;       // median tail at the clear
    double share() const { return tries ? static_cast<double>(clearedClean) / tries : 0.0; }
    double missesPerClear() const { return cleared ? static_cast<double>(misses) / cleared : -1.0; }
    double meanFrames() const {
        return cleared ? static_cast<double>(clearFrames) / cleared : -1.0;
    }
    double burstsPerTry() const { return tries ? static_cast<double>(bursts) / tries : 0.0; }
};

struct Player {
    std::string name;
    ZTModelSkill skill;
    std::vector<Row> rows;
};

// What the README says of each field: its idea, and whether it is meant as a breather.
struct FieldNote {
    std::string idea;
    bool breather = false;
};

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
    const int m = field % 24;
    if (m == 12) return "Gyro";
    if (m == 0) return "LC";
    char name[16];
    std::snprintf(name, sizeof name, "/s%02d.txt", m);
    std::ifstream in(dat + name, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    std::vector<uint8_t> bytes;
    std::string why;
    if (!ztSetFromText(text, bytes, why)) return "?";
    ZTSet set;
    set.parse(bytes.data(), bytes.size());
    int n[6] = {};
    for (const ZTsetChip& c : set.chips)
        if (c.kind >= 0 && c.kind <= 5) n[c.kind] += 1;
    std::string out;
    auto add = [&](int count, const char* what) {
        if (count == 0) return;
        if (!out.empty()) out += ", ";
        out += std::to_string(count) + " " + what;
    };
    add(n[0], "small");
    add(n[1], "middle");
    add(n[2], "large");
    add(n[3] + n[4] + n[5], n[3] + n[4] + n[5] == 1 ? "generator" : "generators");
    return out;
}

// The searching player on its replay: on each field it played, how close, in pixels, anything
// that destroys the tank came to doing so (the closest call), and the tanks it lost there; and
// the play as a whole. The replay is played on the game root's data (its conversations too),
// from a scratch folder that also receives the score file the play writes at its end.
struct Margins {
    std::map<int, std::string> perField;
    std::string summary;
};

Margins searchMargins(const std::string& path, const std::string& root, bool& ok) {
    namespace fs = std::filesystem;
    Margins out;
    ZTReplayHeader header;
    std::vector<uint32_t> words;
    ok = ztReadReplayFile(path.c_str(), header, words);
    char pattern[] = "/tmp/zentaku_margins_XXXXXX";
    if (!ok || !mkdtemp(pattern)) return out;
    const fs::path scratch = pattern, previous = fs::current_path();
    std::error_code ec;
    fs::create_directory_symlink(fs::absolute(root) / "dat", scratch / "dat", ec);
    if (!ec && fs::is_directory(fs::absolute(root) / "text"))
        fs::create_directory_symlink(fs::absolute(root) / "text", scratch / "text", ec);
    fs::current_path(scratch, ec);
    if (ec) {
        ok = false;
        fs::remove_all(scratch, ec);
        return out;
    }
    std::map<int, float> closest;
    std::map<int, int> lost;
    int lastField = 0;
    ZTReplayOutcome result;
    {
        // The runner's game work writes its score file when it goes: inside the scratch folder.
        HeadlessPlatform platform;
        platform.renderer.keepDraws = false;
        ZTReplayRunner runner;
        bool down = false;
        ZTReplayHooks hooks;
        hooks.after = [&](uint32_t) {
            if (keSceneNumber != ZT_SCENE_GAME || !currentGame) return;
            const int field = gWork->field;
            lastField = std::max(lastField, field);
            if (currentGame->playerDown && !down) lost[field] += 1;
            down = currentGame->playerDown;
            const ZTPlayer* tank = nullptr;
            for (KilnBehave* b = kbHead[5]; b && !tank; b = b->next)
                tank = dynamic_cast<ZTPlayer*>(b);
            if (!tank || tank->state != 1) return;
            const KVector p = tank->position;
            float c =
                std::min(std::min(p.x - 32.0f, 608.0f - p.x), std::min(p.y - 32.0f, 448.0f - p.y));
            auto near = [&](KVector at, float reach) {
                const float dx = at.x - p.x, dy = at.y - p.y;
                c = std::min(c, std::sqrt(dx * dx + dy * dy) - reach);
            };
            int joint = 0;
            for (int layer = 0; layer < kbLayerCount; ++layer)
                for (KilnBehave* b = kbHead[layer]; b; b = b->next) {
                    if (const auto* e = dynamic_cast<ZTGroundEnemy*>(b))
                        near(e->position, 6.0f + e->radius);
                    else if (const auto* sh = dynamic_cast<ZTEShot*>(b))
                        near(sh->position, 6.0f + sh->radius);
                    else if (const auto* t = dynamic_cast<ZTTail*>(b); t && joint++ > 0)
                        near(t->position, 14.0f);
                }
            auto [it, fresh] = closest.try_emplace(field, c);
            if (!fresh) it->second = std::min(it->second, c);
        };
        result = runner.play(words, header.language, header.frames + 1, hooks);
    }
    fs::current_path(previous, ec);
    fs::remove_all(scratch, ec);
    int lostAll = 0;
    for (const auto& [field, c] : closest) {
        char text[96];
        std::snprintf(text, sizeof text, "closest call %.0f px, %d tank%s lost", std::max(c, 0.0f),
                      lost[field], lost[field] == 1 ? "" : "s");
        out.perField[field] = text;
        lostAll += lost[field];
    }
    char text[256];
    std::snprintf(text, sizeof text,
                  "%u frames of play (fields 1 to %d and the closing conversation; score %u, "
                  "longest tail %u, %d tank%s lost)",
                  result.frames, lastField, result.score, result.tail, lostAll,
                  lostAll == 1 ? "" : "s");
    out.summary = text;
    return out;
}

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

const char* colours[3] = {"#c05030", "#3070c0", "#309050"};

void writeChart(const std::string& path, const std::vector<Player>& players) {
    // One line per player: the share of tries cleared with the first tank, field by field.
    const int w = 880, h = 440, left = 60, right = 150, top = 50, bottom = 60;
    const double plotW = w - left - right, plotH = h - top - bottom;
    const size_t n = players.empty() ? 1 : std::max<size_t>(players[0].rows.size(), 1);
    const double slot = plotW / static_cast<double>(n);
    std::string s;
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                  "font-family=\"sans-serif\" font-size=\"12\">\n"
                  "<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n"
                  "<text x=\"%d\" y=\"24\" font-size=\"16\">Model players: share of tries "
                  "cleared without a miss, field by field</text>\n",
                  w, h, left);
    s += buf;
    for (int i = 0; i <= 4; ++i) {
        const double y = top + plotH - plotH * i / 4.0;
        std::snprintf(buf, sizeof buf,
                      "<line x1=\"%d\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#ccc\"/>\n"
                      "<text x=\"%d\" y=\"%.1f\" text-anchor=\"end\">%d%%</text>\n",
                      left, y, left + plotW, y, left - 6, y + 4, i * 25);
        s += buf;
    }
    if (!players.empty())
        for (size_t i = 0; i < players[0].rows.size(); ++i) {
            const Row& r = players[0].rows[i];
            const double x = left + slot * static_cast<double>(i);
            if (r.field % 12 == 0) {
                std::snprintf(buf, sizeof buf,
                              "<rect x=\"%.1f\" y=\"%d\" width=\"%.1f\" height=\"%.1f\" "
                              "fill=\"#f3e2c8\"/>\n",
                              x, top, slot, plotH);
                s += buf;
            }
            std::snprintf(buf, sizeof buf,
                          "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">%d</text>\n",
                          x + slot * 0.5, top + plotH + 16, r.field);
            s += buf;
        }
    for (size_t k = 0; k < players.size(); ++k) {
        const char* colour = colours[k % 3];
        std::string line;
        for (size_t i = 0; i < players[k].rows.size(); ++i) {
            const Row& r = players[k].rows[i];
            const double x = left + slot * (static_cast<double>(i) + 0.5);
            const double y = top + plotH - plotH * r.share();
            // A boss breaks the line: the rounds are curves of their own.
            const bool breakHere =
                i > 0 && (players[k].rows[i - 1].field % 12 == 0 || r.field % 12 == 0);
            std::snprintf(buf, sizeof buf, "%s%.1f,%.1f", line.empty() ? "" : " ", x, y);
            if (breakHere && !line.empty()) {
                s += "<polyline fill=\"none\" stroke=\"" + std::string(colour) +
                     "\" stroke-width=\"2\" points=\"" + line + "\"/>\n";
                line.clear();
                std::snprintf(buf, sizeof buf, "%.1f,%.1f", x, y);
            }
            line += buf;
            std::snprintf(buf, sizeof buf,
                          "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"3.5\" fill=\"%s\"/>\n", x, y,
                          colour);
            s += buf;
        }
        s += "<polyline fill=\"none\" stroke=\"" + std::string(colour) +
             "\" stroke-width=\"2\" points=\"" + line + "\"/>\n";
        std::snprintf(buf, sizeof buf,
                      "<line x1=\"%.1f\" y1=\"%zu\" x2=\"%.1f\" y2=\"%zu\" stroke=\"%s\" "
                      "stroke-width=\"3\"/>\n<text x=\"%.1f\" y=\"%zu\">%s</text>\n",
                      left + plotW + 14, top + 10 + 20 * k, left + plotW + 34, top + 10 + 20 * k,
                      colour, left + plotW + 40, top + 14 + 20 * k, players[k].name.c_str());
        s += buf;
    }
    std::snprintf(buf, sizeof buf,
                  "<text x=\"%.1f\" y=\"%d\" text-anchor=\"middle\">field (shaded: the "
                  "bosses)</text>\n</svg>\n",
                  left + plotW / 2, h - 16);
    s += buf;
    std::ofstream(path) << s;
}

const Row* rowOf(const Player& p, int field) {
    for (const Row& r : p.rows)
        if (r.field == field) return &r;
    return nullptr;
}

// The curve's rules, checked on the tries just played: the first round gets harder field by
// field for every player, the stronger player can reach the ending with the tanks the game
// gives, and the fields are not all of one length.
std::string checks(const std::vector<Player>& players, const std::map<int, FieldNote>& notes) {
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
                          "factor of %.1f.\n",
                          shortest, longest, longest / shortest);
            out += buf;
        }
        // Tanks: three to start with, one more at 80,000 points and at 240,000.
        double lost = 0, score = 0;
        bool whole = true;
        for (int field = 1; field <= 12; ++field) {
            const Row* r = rowOf(p, field);
            if (!r || !r->cleared) {
                whole = false;
                break;
            }
            lost += r->missesPerClear();
            score += r->clearScore;
        }
        if (whole) {
            const int extends = (score >= 80000) + (score >= 240000);
            std::snprintf(buf, sizeof buf,
                          "  Fields 1 to 12 cost it %.1f tanks per clear in all, against the 3 "
                          "it starts with and %d extend%s (about %.0f points by the Gyro's end).\n",
                          lost, extends, extends == 1 ? "" : "s", score);
            out += buf;
        }
    }
    return out;
}

} // namespace

int main(int argc, char** argv) {
    namespace fs = std::filesystem;
    std::string dat = ZT_DAT_SOURCE, marginsPath, tablePath, chartPath, root = ".", only;
    int first = 1, last = 24, tries = 50, jobs = 2, startTail = 1;
    std::vector<Player> players = {
        {"weaker", {6, 18, 12, 0.3f, 0.06f, 3.0f}, {}},
        {"usual", {}, {}},
        {"stronger", {6, 9, 40, 0.3f, 0.06f, 3.0f}, {}},
    };
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--help" || a == "-h") {
            std::fputs(usage, stdout);
            return 0;
        } else if (a == "--dat" && hasValue) {
            dat = argv[++i];
        } else if (a == "--fields" && hasValue) {
            if (std::sscanf(argv[++i], "%d-%d", &first, &last) != 2 || first < 1 || last < first ||
                last > 48) {
                std::fprintf(stderr, "zentaku-difficulty: --fields wants A-B within 1-48\n");
                return 3;
            }
        } else if (a == "--tries" && hasValue) {
            tries = std::atoi(argv[++i]);
        } else if (a == "--tail" && hasValue) {
            startTail = std::atoi(argv[++i]);
            if (startTail < 1 || startTail > 500) {
                std::fprintf(stderr, "zentaku-difficulty: --tail wants 1 to 500\n");
                return 3;
            }
        } else if (a == "--jobs" && hasValue) {
            jobs = std::atoi(argv[++i]);
        } else if (a == "--only" && hasValue) {
            only = argv[++i];
        } else if (a == "--skill" && hasValue) {
            ZTModelSkill skill;
            if (std::sscanf(argv[++i], "%d,%d,%d,%f,%f,%f", &skill.decideEvery, &skill.reaction,
                            &skill.lookahead, &skill.aimNoise, &skill.slip, &skill.seeNoise) != 6 ||
                skill.decideEvery < 1 || skill.reaction < 0 || skill.lookahead < 1) {
                std::fprintf(stderr, "zentaku-difficulty: --skill wants six numbers\n");
                return 3;
            }
            players = {{"custom", skill, {}}};
        } else if (a == "--root" && hasValue) {
            root = argv[++i];
        } else if (a == "--search" && hasValue) {
            marginsPath = fs::absolute(argv[++i]).string();
        } else if (a == "--table" && hasValue) {
            // The tries run in a scratch folder: a relative path means the caller's folder.
            tablePath = fs::absolute(argv[++i]).string();
        } else if (a == "--chart" && hasValue) {
            chartPath = fs::absolute(argv[++i]).string();
        } else {
            std::fprintf(stderr, "zentaku-difficulty: unknown or incomplete option %s\n%s",
                         a.c_str(), usage);
            return 3;
        }
    }
    if (tries < 1 || tries > 100000 || jobs < 1 || jobs > 64) {
        std::fprintf(stderr, "zentaku-difficulty: --tries or --jobs out of range\n");
        return 3;
    }
    if (!only.empty()) {
        std::vector<Player> kept;
        for (const Player& p : players)
            if (p.name == only) kept.push_back(p);
        if (kept.empty()) {
            std::fprintf(stderr, "zentaku-difficulty: --only wants weaker, usual or stronger\n");
            return 3;
        }
        players = kept;
    }
    Margins margins;
    if (!marginsPath.empty()) {
        bool ok = false;
        margins = searchMargins(marginsPath, root, ok);
        if (!ok) {
            std::fprintf(stderr, "zentaku-difficulty: %s: not a replay file\n",
                         marginsPath.c_str());
            return 3;
        }
    }
    const std::map<int, FieldNote> notes = readNotes(dat);

    StockDatDir dir(dat);
    if (!dir.ok) {
        std::fprintf(stderr, "zentaku-difficulty: %s\n", dir.error.c_str());
        return 3;
    }
    bool bad = false;
    for (Player& player : players) {
        int tail = startTail;
        for (int field = first; field <= last; ++field) {
            Row r;
            r.field = field;
            r.tail = tail;
            r.enemies = enemiesOf(dat, field);
            std::fprintf(stderr, "%s player, field %2d, tail %2d: %d tries ...",
                         player.name.c_str(), field, tail, tries);
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
            bad = bad || r.emptyTries > 0;
            if (r.cleared == 0) std::fprintf(stderr, "field %d: no try cleared it\n", field);
            // A play that cleared this field brings its tail on; the second round starts where
            // the Gyro left it (the Gyro adds no joint).
            tail = std::max(1, r.tailOut);
            player.rows.push_back(r);
        }
    }

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
                 (note == notes.end() ? std::string(r0.field % 12 ? "" : "the boss")
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
    table += "\n### The curve, checked\n\n" + checks(players, notes);
    if (!margins.summary.empty())
        table +=
            "\nThe searching player's replay, as the report played it: " + margins.summary + ".\n";
    if (tablePath.empty()) {
        std::fputs(table.c_str(), stdout);
    } else if (!(std::ofstream(tablePath) << table)) {
        std::fprintf(stderr, "zentaku-difficulty: %s: cannot write\n", tablePath.c_str());
        return 3;
    }
    if (!chartPath.empty()) writeChart(chartPath, players);
    return bad ? 1 : 0;
}
