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
#include "data/set.h"
#include "engine.h"
#include "field_trial.h"
#include "objects/eshot.h"
#include "objects/ground_enemies.h"
#include "objects/player.h"
#include "objects/tail.h"
#include "platform/headless/headless.h"
#include "replay/model_player.h"
#include "replay/replay_file.h"
#include "replay/replay_run.h"
#include "scenes/game.h"
#include "work.h"

namespace {

const char* usage =
    "usage: zentaku-difficulty [options]\n"
    "\n"
    "Plays every field with a model player that has a person's limits and writes a table of\n"
    "how the tries went. The stock sets are baked afresh from the source folder into a scratch\n"
    "folder; nothing in a game root is read or written.\n"
    "\n"
    "options:\n"
    "  --dat DIR       the map and set sources (default: the project's data/dat)\n"
    "  --fields A-B    the fields to play (default 1-24)\n"
    "  --tries N       tries per field, each with its own seed (default 50)\n"
    "  --tail N        the tail the first field played starts with (default 1)\n"
    "  --jobs N        tries played at the same time, one process each (default 2)\n"
    "  --skill D,R,L,A,S,N  the model: decides every D frames on the screen of R frames ago,\n"
    "                  checks its course L frames ahead, aims with a spread of A radians,\n"
    "                  presses a wrong neighbour with chance S, sees things N pixels off\n"
    "                  (default 6,12,20,0.3,0.06,3)\n"
    "  --search FILE   a replay of the searching player: its closest call and tanks lost on\n"
    "                  each field it played go into the table\n"
    "  --root DIR      the game root whose dat/ that replay is played on (default: .)\n"
    "  --table FILE    write the Markdown table rows here (default: stdout)\n"
    "  --chart FILE    write an SVG chart of the clear share and the misses\n"
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
    int emptyTries = 0; // tries that found no ground enemy at all
    int tailOut = 0;    // median tail at the clear
    double share() const { return tries ? static_cast<double>(clearedClean) / tries : 0.0; }
    double missesPerClear() const { return cleared ? static_cast<double>(misses) / cleared : -1.0; }
    double meanFrames() const {
        return cleared ? static_cast<double>(clearFrames) / cleared : -1.0;
    }
};

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

// The searching player's margin on each field of its replay: how close, in pixels, anything that
// destroys the tank came to doing so (the closest call), and the tanks it lost there.
// The replay is played on the game root's data (its conversations too), from a scratch folder.
std::map<int, std::string> searchMargins(const std::string& path, const std::string& root,
                                         bool& ok) {
    namespace fs = std::filesystem;
    std::map<int, std::string> out;
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
    std::map<int, float> closest;
    std::map<int, int> lost;
    HeadlessPlatform platform;
    platform.renderer.keepDraws = false;
    ZTReplayRunner runner;
    bool down = false;
    ZTReplayHooks hooks;
    hooks.after = [&](uint32_t) {
        if (keSceneNumber != ZT_SCENE_GAME || !currentGame) return;
        const int field = gWork->field;
        if (currentGame->playerDown && !down) lost[field] += 1;
        down = currentGame->playerDown;
        const ZTPlayer* tank = nullptr;
        for (KilnBehave* b = kbHead[5]; b && !tank; b = b->next) tank = dynamic_cast<ZTPlayer*>(b);
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
    runner.play(words, header.language, header.frames + 1, hooks);
    fs::current_path(previous, ec);
    fs::remove_all(scratch, ec);
    for (const auto& [field, c] : closest) {
        char text[96];
        std::snprintf(text, sizeof text, "closest call %.0f px, %d tank%s lost", std::max(c, 0.0f),
                      lost[field], lost[field] == 1 ? "" : "s");
        out[field] = text;
    }
    return out;
}

struct TryResult {
    int32_t enemies, cleared, misses, frames, tailAtEnd;
};

// Plays the tries of one field, `jobs` processes each taking every jobs-th seed.
ZTModelSkill skill;

std::vector<TryResult> playField(int field, int tail, int tries, int jobs, int limit) {
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
                const TryResult r{t.enemies, t.cleared, t.misses, t.frames, t.tailAtEnd};
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

void writeChart(const std::string& path, const std::vector<Row>& rows) {
    // Bars: the share cleared with the first tank; dots joined by a line: the share cleared
    // with the three tanks a play starts with.
    const int w = 880, h = 420, left = 60, right = 60, top = 50, bottom = 60;
    const double plotW = w - left - right, plotH = h - top - bottom;
    const double slot = plotW / std::max<size_t>(rows.size(), 1);
    std::string s;
    char buf[512];
    std::snprintf(buf, sizeof buf,
                  "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%d\" height=\"%d\" "
                  "font-family=\"sans-serif\" font-size=\"12\">\n"
                  "<rect width=\"100%%\" height=\"100%%\" fill=\"white\"/>\n"
                  "<text x=\"%d\" y=\"24\" font-size=\"16\">Model player: share of tries "
                  "cleared without a miss (bars) and with three tanks (line)</text>\n",
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
    std::string line;
    for (size_t i = 0; i < rows.size(); ++i) {
        const Row& r = rows[i];
        const double x = left + slot * i;
        const double bh = plotH * r.share();
        const char* colour = r.field % 12 == 0 ? "#d08020" : r.field > 12 ? "#4060b0" : "#60a060";
        std::snprintf(buf, sizeof buf,
                      "<rect x=\"%.1f\" y=\"%.1f\" width=\"%.1f\" height=\"%.1f\" fill=\"%s\"/>\n"
                      "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">%d</text>\n",
                      x + slot * 0.15, top + plotH - bh, slot * 0.7, bh, colour, x + slot * 0.5,
                      top + plotH + 16, r.field);
        s += buf;
        {
            const double my = top + plotH - plotH * r.cleared / std::max(r.tries, 1);
            std::snprintf(buf, sizeof buf, "%s%.1f,%.1f", line.empty() ? "" : " ", x + slot * 0.5,
                          my);
            line += buf;
            std::snprintf(buf, sizeof buf,
                          "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"3.5\" fill=\"#b22\"/>\n",
                          x + slot * 0.5, my);
            s += buf;
        }
    }
    s += "<polyline fill=\"none\" stroke=\"#b22\" stroke-width=\"1.5\" points=\"" + line + "\"/>\n";
    std::snprintf(buf, sizeof buf,
                  "<text x=\"%.1f\" y=\"%d\" text-anchor=\"middle\">field (green: first round, "
                  "orange: bosses, blue: second round)</text>\n</svg>\n",
                  left + plotW / 2, h - 16);
    s += buf;
    std::ofstream(path) << s;
}

} // namespace

int main(int argc, char** argv) {
    std::string dat = ZT_DAT_SOURCE, marginsPath, tablePath, chartPath, root = ".";
    int first = 1, last = 24, tries = 50, jobs = 2, startTail = 1;
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
        } else if (a == "--skill" && hasValue) {
            if (std::sscanf(argv[++i], "%d,%d,%d,%f,%f,%f", &skill.decideEvery, &skill.reaction,
                            &skill.lookahead, &skill.aimNoise, &skill.slip, &skill.seeNoise) != 6 ||
                skill.decideEvery < 1 || skill.reaction < 0 || skill.lookahead < 1) {
                std::fprintf(stderr, "zentaku-difficulty: --skill wants six numbers\n");
                return 3;
            }
        } else if (a == "--root" && hasValue) {
            root = argv[++i];
        } else if (a == "--search" && hasValue) {
            marginsPath = std::filesystem::absolute(argv[++i]).string();
        } else if (a == "--table" && hasValue) {
            tablePath = argv[++i];
        } else if (a == "--chart" && hasValue) {
            chartPath = argv[++i];
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
    std::map<int, std::string> margins;
    if (!marginsPath.empty()) {
        bool ok = false;
        margins = searchMargins(marginsPath, root, ok);
        if (!ok) {
            std::fprintf(stderr, "zentaku-difficulty: %s: not a replay file\n",
                         marginsPath.c_str());
            return 3;
        }
    }

    StockDatDir dir(dat);
    if (!dir.ok) {
        std::fprintf(stderr, "zentaku-difficulty: %s\n", dir.error.c_str());
        return 3;
    }
    std::vector<Row> rows;
    int tail = startTail;
    bool bad = false;
    for (int field = first; field <= last; ++field) {
        Row r;
        r.field = field;
        r.tail = tail;
        r.enemies = enemiesOf(dat, field);
        std::fprintf(stderr, "field %2d, tail %2d: %d tries ...", field, tail, tries);
        std::fflush(stderr);
        const std::vector<TryResult> results = playField(field, tail, tries, jobs, 60 * 60 * 5);
        std::vector<int> tails;
        for (const TryResult& t : results) {
            r.tries += 1;
            r.emptyTries += t.enemies == 0;
            r.misses += t.misses;
            if (t.cleared) {
                r.cleared += 1;
                r.clearedClean += t.misses == 0;
                r.clearFrames += t.frames;
                tails.push_back(t.tailAtEnd);
            }
        }
        std::sort(tails.begin(), tails.end());
        r.tailOut = tails.empty() ? tail : tails[tails.size() / 2];
        std::fprintf(stderr, " %d cleared, %d without a miss\n", r.cleared, r.clearedClean);
        bad = bad || r.emptyTries > 0;
        if (r.cleared == 0) std::fprintf(stderr, "field %d: no try cleared it\n", field);
        // A play that cleared this field brings its tail on; the second round starts where
        // the Gyro left it (the Gyro adds no joint).
        tail = std::max(1, r.tailOut);
        rows.push_back(r);
    }

    std::string table =
        "| field | enemies | tail at start | cleared without a miss | cleared with three tanks | "
        "misses per clear | mean frames to clear | searching player |\n"
        "|---|---|---|---|---|---|---|---|\n";
    char buf[512];
    for (const Row& r : rows) {
        const auto m = margins.find(r.field);
        char misses[32] = "-", frames[32] = "-";
        if (r.cleared) {
            std::snprintf(misses, sizeof misses, "%.2f", r.missesPerClear());
            std::snprintf(frames, sizeof frames, "%.0f", r.meanFrames());
        }
        std::snprintf(buf, sizeof buf, "| %d | %s | %d | %.0f%% (%d of %d) | %d | %s | %s | %s |\n",
                      r.field, r.enemies.c_str(), r.tail, 100.0 * r.share(), r.clearedClean,
                      r.tries, r.cleared, misses, frames,
                      m == margins.end() ? "-" : m->second.c_str());
        table += buf;
    }
    if (tablePath.empty()) {
        std::fputs(table.c_str(), stdout);
    } else {
        std::ofstream(tablePath) << table;
    }
    if (!chartPath.empty()) writeChart(chartPath, rows);
    return bad ? 1 : 0;
}
