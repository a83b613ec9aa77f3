// zentaku-search: a searching automatic player. It records a new game exactly as the title's
// new-game choice starts one and drives it with the buttons a player has: the direction buttons
// and the fire button (which also turns the conversation pages). Every few frames it tries each
// button word for a short segment, plays each try on ahead in a forked copy of the whole process,
// and keeps the word whose future looked best: alive longest, most enemies destroyed, most
// points and tail, closest to the next target. The play itself is never touched: the copies only
// look, so the saved replay plays the same on any machine.
//
//   zentaku-search [options] NEW_FILE [GAME_ROOT]
//   zentaku-search [options] --field N [GAME_ROOT]
#include <poll.h>
#include <signal.h>
#include <stdlib.h>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "behave.h"
#include "creator.h"
#include "data/replay_file.h"
#include "engine.h"
#include "frame.h"
#include "input.h"
#include "language.h"
#include "objects/boss_gyro.h"
#include "objects/ground_enemies.h"
#include "objects/player.h"
#include "objects/tail.h"
#include "pilot.h"
#include "platform/files.h"
#include "platform/headless/headless.h"
#include "replay_run.h"
#include "scenes/game.h"
#include "work.h"

namespace fs = std::filesystem;

namespace {

struct Options {
    int segment = 6;     // frames a chosen word is held
    int lookahead = 120; // frames each try is played on past its segment
    int jobs = 2;        // tries played at once
    uint32_t limit = 60u * 60u * 60u;
    int checkpointEvery = 240; // frames of play between two kept states
    int retries = 4;           // new tries from one kept state before going further back
    int spare = 1;             // a loss that leaves fewer spare tanks than this is tried again
    int field = 0;             // play this field alone, as the developer menu starts it
    int tail = 1;              // with this tail
    std::string prefix;        // a replay whose words start the play
    std::string language;      // the play's language by name; empty: Japanese, or the prefix's
    bool quiet = false;
};

// Counts shared by every process of the search, for the progress line and the summary.
struct Shared {
    long tries;
    long simulated;
    long backtracks;
};
Shared* shared = nullptr;

const char* usage =
    "usage: zentaku-search [options] NEW_FILE [GAME_ROOT]\n"
    "       zentaku-search [options] --field N [GAME_ROOT]\n"
    "\n"
    "Plays a new game from the first field to its end with a searching automatic player and\n"
    "saves the play as a replay file (an existing file is never replaced). GAME_ROOT (default:\n"
    "the current directory) supplies the maps, sets and conversations below its dat/; nothing\n"
    "is written there.\n"
    "\n"
    "options:\n"
    "  --segment N    frames a chosen button word is held (default 6)\n"
    "  --lookahead N  frames each try is played on past its segment (default 120)\n"
    "  --jobs N       tries played at the same time, one process each (default 2)\n"
    "  --limit N      give up after N frames of play (default 216000, one hour)\n"
    "  --retries N    when a tank is lost, play on again from a kept earlier state up to N\n"
    "                 times, each time looking further ahead (default 4; 0: accept the loss)\n"
    "  --field N      play field N alone, started as the developer menu starts it, and\n"
    "                 save nothing: only the outcome and the margins are printed\n"
    "  --tail N       the tail that field starts with (default 1)\n"
    "  --spare N      take the loss of a tank without going back while at least N spare\n"
    "                 tanks are left after it (default 1; 99: always go back)\n"
    "  --prefix FILE  start with the button words of this replay (a play kept at a field's\n"
    "                 start, NEW_FILE.fieldNN, which the search writes as it goes), then search\n"
    "  --language L   play in language L, as zent.ini names it (default Japanese; with\n"
    "                 --prefix, that replay's language)\n"
    "  --quiet        no progress line\n"
    "  --help         this text\n"
    "\n"
    "Progress goes to stderr; the outcome (frames, score, field, tail, search speed) to stdout.\n"
    "Exit status: 0 saved, 1 the play did not reach its end, 3 bad arguments or not saved.\n";

// A scratch folder made current for the search: the game work reads the root's data through a
// link and writes its score file here, never into the game root.
class Scratch {
public:
    explicit Scratch(const fs::path& root) {
        previous = fs::current_path();
        char pattern[] = "/tmp/zentaku_search_XXXXXX";
        if (!mkdtemp(pattern)) return;
        path = pattern;
        std::error_code ec;
        fs::create_directory_symlink(root / "dat", path / "dat", ec);
        if (!ec && fs::is_directory(root / "text"))
            fs::create_directory_symlink(root / "text", path / "text", ec);
        if (!ec) fs::current_path(path, ec);
        ok = !ec;
    }
    ~Scratch() {
        std::error_code ec;
        fs::current_path(previous, ec);
        if (!path.empty()) fs::remove_all(path, ec);
    }
    bool ok = false;

private:
    fs::path previous;
    fs::path path;
};

constexpr uint32_t fire = KI_BUTTON1;
constexpr uint32_t words[9] = {fire,
                               fire | KI_RIGHT,
                               fire | KI_RIGHT | KI_DOWN,
                               fire | KI_DOWN,
                               fire | KI_DOWN | KI_LEFT,
                               fire | KI_LEFT,
                               fire | KI_LEFT | KI_UP,
                               fire | KI_UP,
                               fire | KI_UP | KI_RIGHT};

ZTPlayer* findTank() {
    for (KilnBehave* b = kbHead[5]; b; b = b->next)
        if (auto* p = dynamic_cast<ZTPlayer*>(b)) return p;
    return nullptr;
}

int bossLife() {
    for (KilnBehave* b = kbHead[9]; b; b = b->next)
        if (const auto* g = dynamic_cast<ZTBossGyro*>(b)) return g->life;
    return 0;
}

// How well the tank stands towards its next target: near it and facing it (the guns face
// forward), not pressed against the wall.
double standing(const ZTPlayer& tank) {
    const KVector p = tank.position;
    float best = 1e30f;
    KVector target{320.0f, 240.0f, 0.0f};
    for (int layer = 3; layer <= 9; layer += 6)
        for (KilnBehave* b = kbHead[layer]; b; b = b->next) {
            KVector at;
            if (const auto* e = dynamic_cast<ZTGroundEnemy*>(b))
                at = e->position;
            else if (const auto* g = dynamic_cast<ZTBossGyro*>(b))
                at = g->position;
            else
                continue;
            const float dx = at.x - p.x, dy = at.y - p.y;
            if (dx * dx + dy * dy < best) best = dx * dx + dy * dy, target = at;
        }
    const double dx = target.x - p.x, dy = target.y - p.y;
    const double d = std::sqrt(dx * dx + dy * dy) + 0.001;
    const double facing = (-std::sin(tank.angle) * dx + std::cos(tank.angle) * dy) / d;
    const double edge = std::min({p.x - 32.0, 608.0 - p.x, p.y - 32.0, 448.0 - p.y});
    return -d * 2.0 + facing * 150.0 - (edge < 48.0 ? (48.0 - edge) * 20.0 : 0.0);
}

void holdWord(HeadlessPlatform& platform, uint32_t word) {
    ztPilotKeys(word, platform.input.keys);
}

// Plays `first` for the segment, then the continuation, and scores what became of the field.
// Runs in a forked copy; returns the score and the frames it ran.
double rollout(HeadlessPlatform& platform, uint32_t first, bool pilotOn, const Options& o,
               long& frames) {
    const int ground0 = gWork->groundCount;
    const uint32_t score0 = gWork->score;
    const int tail0 = gWork->tail;
    const int boss0 = bossLife();
    ZTPilot pilot;
    const int total = o.segment + o.lookahead;
    for (int k = 1; k <= total; ++k) {
        uint32_t word = first;
        if (k > o.segment && pilotOn) word = pilot.next() & ~uint32_t{KI_BUTTON3};
        holdWord(platform, word | fire);
        const ZTFrameResult r = ztFrameStep(false);
        frames += 1;
        const double kills = 3000.0 * (ground0 - gWork->groundCount);
        if (r.sceneMissing || r.quit) return -1e9;
        if (keNextScene != ZT_SCENE_GAME || !currentGame || currentGame->state >= 5) {
            // Cleared (or left the field): the sooner the better.
            if (currentGame && currentGame->playerDown) return -1e6 + k * 1000.0 + kills;
            return 1e7 - k * 100.0;
        }
        if (currentGame->playerDown) return -1e6 + k * 1000.0 + kills;
    }
    const ZTPlayer* tank = findTank();
    double value = 3000.0 * (ground0 - gWork->groundCount);
    value += 1.0 * static_cast<double>(gWork->score - score0);
    value += 300.0 * (gWork->tail - tail0);
    value += 40.0 * (boss0 - bossLife());
    // A burst of the tail's counter shots under way is worth a great deal against a boss,
    // whose life grows with the tail; a charged joint is half-way there.
    for (KilnBehave* b = kbHead[5]; b; b = b->next)
        if (const auto* t = dynamic_cast<ZTTail*>(b))
            value += t->counterState == 2 ? 1500.0 : t->counterState == 1 ? 100.0 : 0.0;
    if (tank) value += standing(*tank);
    return value;
}

struct Search {
    HeadlessPlatform& platform;
    Options o;
    int variant = 0; // how often play went back to the kept state this one came from
    // Per field: the fewest tries that came through their lookahead alive at one decision
    // (how tight the tightest moment was), and how often play went back to a kept state.
    struct Margin {
        int tightest = 99;
        int backs = 0;
        int misses = 0;
    };
    std::map<int, Margin> margins;

    // The best of the nine words, each tried with two continuations: held on, or steered
    // by the simple automatic player.
    uint32_t choose() {
        struct Try {
            uint32_t word;
            bool pilot;
            pid_t pid = -1;
            int fd = -1;
            double value = -1e18;
        };
        std::vector<Try> all;
        for (uint32_t w : words)
            for (bool p : {false, true}) all.push_back({w, p});
        size_t next = 0, done = 0;
        std::vector<size_t> running;
        while (done < all.size()) {
            while (running.size() < static_cast<size_t>(o.jobs) && next < all.size()) {
                Try& t = all[next];
                int fds[2];
                if (pipe(fds) != 0) {
                    std::perror("pipe");
                    std::exit(3);
                }
                const pid_t pid = fork();
                if (pid < 0) {
                    std::perror("fork");
                    std::exit(3);
                }
                if (pid == 0) {
                    close(fds[0]);
                    long frames = 0;
                    struct {
                        double value;
                        long frames;
                    } out;
                    Options look = o;
                    look.lookahead += 60 * variant;
                    out.value = rollout(platform, t.word, t.pilot, look, frames);
                    out.frames = frames;
                    ssize_t n = write(fds[1], &out, sizeof out);
                    _exit(n == static_cast<ssize_t>(sizeof out) ? 0 : 1);
                }
                close(fds[1]);
                t.pid = pid;
                t.fd = fds[0];
                running.push_back(next++);
            }
            // Collect the oldest try; they take about as long as each other.
            const size_t i = running.front();
            running.erase(running.begin());
            Try& t = all[i];
            struct {
                double value;
                long frames;
            } in{};
            if (read(t.fd, &in, sizeof in) == static_cast<ssize_t>(sizeof in)) {
                t.value = in.value;
                shared->simulated += in.frames;
            }
            close(t.fd);
            waitpid(t.pid, nullptr, 0);
            shared->tries += 1;
            done += 1;
        }
        int alive = 0;
        for (const Try& t : all) alive += t.value > -5e5;
        Margin& m = margins[gWork->field];
        m.tightest = std::min(m.tightest, alive);
        // A try that went back prefers, among equals, the words the first pass ranked later.
        const Try* best = &all[static_cast<size_t>(variant) * 5 % all.size()];
        for (size_t i = 0; i < all.size(); ++i) {
            const Try& t = all[(i + static_cast<size_t>(variant) * 5) % all.size()];
            if (t.value > best->value) best = &t;
        }
        return best->word;
    }
};

double since(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// What the process that played on to the end reports to the one that waits.
struct Outcome {
    int status; // the exit status
    uint32_t frames, score, field, tail;
    int misses;
};

// Plays the whole game; returns in whichever process carries the play to its end.
int play(const Options& o, const fs::path& target, const std::vector<uint32_t>& prefix,
         int reportFd, std::chrono::steady_clock::time_point start) {
    HeadlessPlatform platform;
    platform.renderer.keepDraws = false;
    Search search{platform, o, 0, {}};
    ZTPilot pages; // turns the conversation pages as the simple player does
    uint32_t held = 0;
    int holdLeft = 0;
    double lastShown = 0;
    int misses = 0;
    bool down = false;
    // Kept states: copies of this process, each waiting in its pipe for the word to play on.
    struct Kept {
        pid_t pid;
        int fd;
        uint32_t frame;
        int used; // how often play already went back to it
    };
    std::vector<Kept> kept;
    uint32_t lastKept = 0;
    std::function<void(uint32_t, int)> keep = [&](uint32_t frame, int used) {
        int fds[2];
        if (pipe(fds) != 0) return;
        const pid_t pid = fork();
        if (pid < 0) {
            close(fds[0]);
            close(fds[1]);
            return;
        }
        if (pid == 0) {
            close(fds[1]);
            int variant = 0;
            const bool go = read(fds[0], &variant, sizeof variant) == sizeof variant;
            close(fds[0]);
            if (!go) _exit(0);
            // Play on from here, looking further ahead than last time; keep this state again.
            search.variant = variant;
            search.margins[gWork->field].backs += 1;
            shared->backtracks += 1;
            keep(frame, variant);
            return;
        }
        close(fds[0]);
        kept.push_back({pid, fds[1], frame, used});
        if (kept.size() > 10) {
            kill(kept.front().pid, SIGKILL);
            close(kept.front().fd);
            kept.erase(kept.begin());
        }
    };

    ZTReplayHooks hooks;
    int fieldSeen = 0;
    hooks.before = [&](uint32_t frame) {
        uint32_t word = pages.next() & ~uint32_t{KI_BUTTON3};
        if (frame <= prefix.size()) {
            // The given start of the play, pressed as it was recorded.
            holdWord(platform, prefix[frame - 1]);
            return;
        }
        if (!target.empty() && gWork->field != fieldSeen && keSceneNumber == ZT_SCENE_GAME) {
            // The play so far, kept at each new field: a start to search on from.
            fieldSeen = gWork->field;
            ZTReplayHeader header;
            header.field = static_cast<uint32_t>(gWork->field);
            header.score = gWork->score;
            header.tail = static_cast<uint32_t>(gWork->tailMax);
            header.language = gWork->language;
            const std::vector<uint8_t> bytes = ztBuildReplay(header, gInput->kimRecordBuf);
            char suffix[32];
            std::snprintf(suffix, sizeof suffix, ".field%02d", gWork->field);
            const std::string path = target.string() + suffix;
            pfWriteAtomic(path.c_str(), bytes.data(), bytes.size(), false);
        }
        const ZTPlayer* tank = keSceneNumber == ZT_SCENE_GAME && currentGame ? findTank() : nullptr;
        if (tank && tank->state == 1 && currentGame->state == 2) {
            if (holdLeft <= 0) {
                if (o.retries > 0 && frame >= lastKept + static_cast<uint32_t>(o.checkpointEvery)) {
                    keep(frame, 0);
                    lastKept = frame;
                }
                held = search.choose();
                holdLeft = o.segment;
            }
            holdLeft -= 1;
            word = held;
        } else {
            holdLeft = 0;
        }
        holdWord(platform, word);
        const double t = since(start);
        if (!o.quiet && t - lastShown >= 1.0) {
            lastShown = t;
            std::fprintf(stderr,
                         "\rframe %7u  field %2d  score %8u  tail %3d  left %d  back %3ld  "
                         "%4.0f frames/s  %5.0f tried frames/s ",
                         frame, gWork->field, gWork->score, gWork->tail, gWork->left,
                         shared->backtracks, frame / t, shared->simulated / t);
        }
    };
    hooks.after = [&](uint32_t frame) {
        const bool isDown = keNextScene == ZT_SCENE_GAME && currentGame && currentGame->playerDown;
        // A loss that leaves enough spare tanks is taken, as a player takes it: it also halves
        // the tail, which otherwise grows with every enemy destroyed.
        if (isDown && !down && gWork->left - 1 < o.spare) {
            // A tank lost: go back to the latest kept state a little before, unless it has
            // had its tries; the play in this process is given up.
            for (size_t i = kept.size(); i-- > 0;) {
                if (kept[i].frame + 90 > frame || kept[i].used >= o.retries) continue;
                for (size_t j = i + 1; j < kept.size(); ++j) kill(kept[j].pid, SIGKILL);
                const int variant = kept[i].used + 1;
                if (write(kept[i].fd, &variant, sizeof variant) == sizeof variant) _exit(0);
            }
        }
        if (isDown && !down) {
            misses += 1;
            search.margins[gWork->field].misses += 1;
        }
        down = isDown;
    };
    ZTReplayRunner runner;
    const ZTReplayOutcome result =
        o.field > 0 ? runner.field(o.field, o.tail, o.limit, hooks) : runner.record(o.limit, hooks);
    const bool cleared = keNextScene == ZT_SCENE_NEXTER || result.field > 12;
    if (!o.quiet) std::fputc('\n', stderr);
    for (const Kept& k : kept) kill(k.pid, SIGKILL);
    Outcome out{1, result.frames, result.score, result.field, result.tail, misses};
    for (const auto& [field, m] : search.margins)
        std::printf("field %d: tightest %d of 18 tries alive, %d times back, %d misses\n", field,
                    m.tightest, m.backs, m.misses);
    std::fflush(stdout);
    if (o.field > 0) {
        out.status = cleared ? 0 : 1;
        std::printf("field %d %s\n", o.field, cleared ? "cleared" : "lost");
        std::fflush(stdout);
    } else if (!result.ended) {
        std::fprintf(stderr, "zentaku-search: the play did not end within %u frames\n", o.limit);
    } else {
        if (!runner.saveRecorded(target.c_str(), result)) {
            std::fprintf(stderr, "zentaku-search: %s: not saved (it may exist already)\n",
                         target.c_str());
            out.status = 3;
        } else {
            out.status = result.field >= 13 ? 0 : 1;
            if (out.status)
                std::fprintf(stderr, "zentaku-search: the play ended on field %u\n", result.field);
        }
    }
    if (write(reportFd, &out, sizeof out) != sizeof out) return 3;
    return out.status;
}

bool number(const char* text, long low, long high, long& out) {
    char* end = nullptr;
    out = std::strtol(text, &end, 10);
    return end && *end == 0 && end != text && out >= low && out <= high;
}

} // namespace

int main(int argc, char** argv) {
    Options o;
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](long low, long high, long& out) {
            if (i + 1 >= argc || !number(argv[i + 1], low, high, out)) {
                std::fprintf(stderr, "zentaku-search: %s wants a number from %ld to %ld\n",
                             a.c_str(), low, high);
                std::exit(3);
            }
            i += 1;
        };
        long v = 0;
        if (a == "--help" || a == "-h") {
            std::fputs(usage, stdout);
            return 0;
        } else if (a == "--segment") {
            value(1, 600, v), o.segment = static_cast<int>(v);
        } else if (a == "--lookahead") {
            value(0, 6000, v), o.lookahead = static_cast<int>(v);
        } else if (a == "--jobs") {
            value(1, 64, v), o.jobs = static_cast<int>(v);
        } else if (a == "--limit") {
            value(1, ztReplayMaxWords, v), o.limit = static_cast<uint32_t>(v);
        } else if (a == "--retries") {
            value(0, 100, v), o.retries = static_cast<int>(v);
        } else if (a == "--field") {
            value(1, 999, v), o.field = static_cast<int>(v);
        } else if (a == "--tail") {
            value(1, 9999, v), o.tail = static_cast<int>(v);
        } else if (a == "--spare") {
            value(0, 99, v), o.spare = static_cast<int>(v);
        } else if (a == "--prefix" && i + 1 < argc) {
            o.prefix = argv[++i];
        } else if (a == "--language" && i + 1 < argc) {
            o.language = argv[++i];
        } else if (a == "--quiet") {
            o.quiet = true;
        } else if (a.size() > 1 && a[0] == '-') {
            std::fprintf(stderr, "zentaku-search: unknown option %s\n%s", a.c_str(), usage);
            return 3;
        } else {
            args.push_back(a);
        }
    }
    // With --field there is no file to save: the one argument is the game root.
    if (o.field > 0) args.insert(args.begin(), "");
    if (args.size() < 1 + (o.field > 0) || args.size() > 2) {
        std::fputs(usage, stderr);
        return 3;
    }
    const fs::path target = o.field > 0 ? fs::path() : fs::absolute(args[0]);
    const fs::path root = fs::absolute(args.size() > 1 ? fs::path(args[1]) : fs::current_path());
    if (!fs::is_directory(root / "dat")) {
        std::fprintf(stderr, "zentaku-search: %s: no dat folder to play on\n", root.c_str());
        return 3;
    }
    if (!target.empty() && fs::exists(target)) {
        std::fprintf(stderr, "zentaku-search: %s exists already\n", target.c_str());
        return 3;
    }
    std::vector<uint32_t> prefix;
    if (!o.prefix.empty()) {
        ZTReplayHeader header;
        if (!ztReadReplayFile(o.prefix.c_str(), header, prefix)) {
            std::fprintf(stderr, "zentaku-search: %s: not a replay file\n", o.prefix.c_str());
            return 3;
        }
        gLanguage = header.language;
    }
    Scratch scratch(root);
    if (!scratch.ok) {
        std::fprintf(stderr, "zentaku-search: cannot make a scratch folder for the play\n");
        return 3;
    }
    if (!o.language.empty()) {
        // Named as the root's list names them, so the scratch folder must be current here.
        ZTLanguage named;
        if (!ztFindLanguage(o.language, named)) {
            std::fprintf(stderr, "zentaku-search: the game root has no language %s\n",
                         o.language.c_str());
            return 3;
        }
        if (!o.prefix.empty() && named != gLanguage) {
            std::fprintf(stderr, "zentaku-search: %s is a play in %s\n", o.prefix.c_str(),
                         ztLanguageName(gLanguage).c_str());
            return 3;
        }
        gLanguage = named;
    }
    signal(SIGPIPE, SIG_IGN);
    void* memory =
        mmap(nullptr, sizeof(Shared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    if (memory == MAP_FAILED) {
        std::perror("zentaku-search: mmap");
        return 3;
    }
    shared = static_cast<Shared*>(memory);
    *shared = {};

    // This process only waits: the play runs in a child, and when it goes back to a kept state
    // the play goes on in another process. The last one reports here, through `report`.
    prctl(PR_SET_CHILD_SUBREAPER, 1);
    int report[2];
    if (pipe(report) != 0) return 3;
    const auto start = std::chrono::steady_clock::now();
    const pid_t worker = fork();
    if (worker < 0) return 3;
    if (worker == 0) {
        close(report[0]);
        _exit(play(o, target, prefix, report[1], start));
    }
    close(report[1]);
    Outcome out{};
    bool got = false;
    for (;;) {
        while (waitpid(-1, nullptr, WNOHANG) > 0) {}
        pollfd p{report[0], POLLIN, 0};
        if (poll(&p, 1, 200) <= 0) continue;
        const ssize_t n = read(report[0], &out, sizeof out);
        got = n == static_cast<ssize_t>(sizeof out);
        break;
    }
    while (waitpid(-1, nullptr, 0) > 0) {}
    if (!got) {
        std::fprintf(stderr, "zentaku-search: the play stopped without a word\n");
        return 3;
    }
    const double seconds = since(start);
    std::printf("frames %u\nscore %u\nfield %u\ntail %u\nmisses %d\n", out.frames, out.score,
                out.field, out.tail, out.misses);
    std::printf("seconds %.1f (%ld tries of %ld frames in all: %.0f tried frames/s; "
                "%ld times back to a kept state)\n",
                seconds, shared->tries, shared->simulated, shared->simulated / seconds,
                shared->backtracks);
    if (out.status == 0 && !target.empty()) std::printf("saved %s\n", target.c_str());
    return out.status;
}
