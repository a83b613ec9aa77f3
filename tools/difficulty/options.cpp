#include "options.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

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

} // namespace

int readOptions(int argc, char** argv, Options& o) {
    namespace fs = std::filesystem;
    std::string only;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const bool hasValue = i + 1 < argc;
        if (a == "--help" || a == "-h") {
            std::fputs(usage, stdout);
            return 0;
        } else if (a == "--dat" && hasValue) {
            // The tries run in a scratch folder: every relative path means the caller's folder.
            o.dat = fs::absolute(argv[++i]).string();
        } else if (a == "--fields" && hasValue) {
            if (std::sscanf(argv[++i], "%d-%d", &o.first, &o.last) != 2 || o.first < 1 ||
                o.last < o.first || o.last > 48) {
                std::fprintf(stderr, "zentaku-difficulty: --fields wants A-B within 1-48\n");
                return 3;
            }
        } else if (a == "--tries" && hasValue) {
            o.tries = std::atoi(argv[++i]);
        } else if (a == "--tail" && hasValue) {
            o.startTail = std::atoi(argv[++i]);
            if (o.startTail < 1 || o.startTail > 500) {
                std::fprintf(stderr, "zentaku-difficulty: --tail wants 1 to 500\n");
                return 3;
            }
        } else if (a == "--jobs" && hasValue) {
            o.jobs = std::atoi(argv[++i]);
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
            o.players = {{"custom", skill, {}}};
        } else if (a == "--root" && hasValue) {
            o.root = fs::absolute(argv[++i]).string();
        } else if (a == "--search" && hasValue) {
            o.marginsPath = fs::absolute(argv[++i]).string();
        } else if (a == "--table" && hasValue) {
            o.tablePath = fs::absolute(argv[++i]).string();
        } else if (a == "--chart" && hasValue) {
            o.chartPath = fs::absolute(argv[++i]).string();
        } else {
            std::fprintf(stderr, "zentaku-difficulty: unknown or incomplete option %s\n%s",
                         a.c_str(), usage);
            return 3;
        }
    }
    if (o.tries < 1 || o.tries > 100000 || o.jobs < 1 || o.jobs > 64) {
        std::fprintf(stderr, "zentaku-difficulty: --tries or --jobs out of range\n");
        return 3;
    }
    if (!only.empty()) {
        std::vector<Player> kept;
        for (const Player& p : o.players)
            if (p.name == only) kept.push_back(p);
        if (kept.empty()) {
            std::fprintf(stderr, "zentaku-difficulty: --only wants weaker, usual or stronger\n");
            return 3;
        }
        o.players = kept;
    }
    return -1;
}
