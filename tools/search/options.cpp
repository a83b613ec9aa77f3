#include "options.h"

#include <cstdlib>
#include <cstring>

#include "data/replay_file.h"

const char* ztSearchUsage =
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
    "  --pilot-every N  in the tries the simple pilot steers, it decides every N frames and\n"
    "                 its word is held in between (default 1: every frame)\n"
    "  --jobs N       tries played at the same time, one process each (default 2)\n"
    "  --limit N      give up after N frames of play (default 216000, one hour)\n"
    "  --until N      search only for the first N frames of play, then let every tank blow\n"
    "                 itself up and save the play that ends so (a short play for checks)\n"
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

namespace {

struct Numbered {
    const char* name;
    long low, high;
    void (*set)(ZTSearchOptions&, long);
};

const Numbered numbered[] = {
    {"--segment", 1, 600, [](ZTSearchOptions& o, long v) { o.segment = static_cast<int>(v); }},
    {"--lookahead", 0, 6000, [](ZTSearchOptions& o, long v) { o.lookahead = static_cast<int>(v); }},
    {"--pilot-every", 1, 60,
     [](ZTSearchOptions& o, long v) { o.pilotEvery = static_cast<int>(v); }},
    {"--jobs", 1, 64, [](ZTSearchOptions& o, long v) { o.jobs = static_cast<int>(v); }},
    {"--limit", 1, ztReplayMaxWords,
     [](ZTSearchOptions& o, long v) { o.limit = static_cast<uint32_t>(v); }},
    {"--until", 1, ztReplayMaxWords,
     [](ZTSearchOptions& o, long v) { o.until = static_cast<uint32_t>(v); }},
    {"--retries", 0, 100, [](ZTSearchOptions& o, long v) { o.retries = static_cast<int>(v); }},
    {"--field", 1, 999, [](ZTSearchOptions& o, long v) { o.field = static_cast<int>(v); }},
    {"--tail", 1, 9999, [](ZTSearchOptions& o, long v) { o.tail = static_cast<int>(v); }},
    {"--spare", 0, 99, [](ZTSearchOptions& o, long v) { o.spare = static_cast<int>(v); }},
};

struct Named {
    const char* name;
    std::string ZTSearchOptions::*field;
};

const Named named[] = {{"--prefix", &ZTSearchOptions::prefix},
                       {"--language", &ZTSearchOptions::language}};

bool number(const char* text, long low, long high, long& out) {
    char* end = nullptr;
    out = std::strtol(text, &end, 10);
    return end && *end == 0 && end != text && out >= low && out <= high;
}

// Takes argv[i] and its value; false (with the error set) when the value is missing or bad.
// `known` tells whether argv[i] is an option that takes a value at all.
bool valueOption(int argc, char** argv, int& i, ZTSearchOptions& o, bool& known) {
    const char* a = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    known = true;
    for (const Numbered& n : numbered) {
        if (std::strcmp(a, n.name) != 0) continue;
        long v = 0;
        if (!value || !number(value, n.low, n.high, v)) {
            o.error = std::string(a) + " wants a number from " + std::to_string(n.low) + " to " +
                      std::to_string(n.high);
            return false;
        }
        n.set(o, v);
        i += 1;
        return true;
    }
    for (const Named& n : named) {
        if (std::strcmp(a, n.name) != 0) continue;
        if (!value) {
            o.error = std::string(a) + " wants a value";
            return false;
        }
        o.*n.field = value;
        i += 1;
        return true;
    }
    known = false;
    return true;
}

} // namespace

bool ztParseSearchOptions(int argc, char** argv, ZTSearchOptions& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        bool known = false;
        if (!valueOption(argc, argv, i, o, known)) return false;
        if (known) continue;
        if (a == "--help" || a == "-h") {
            o.help = true;
        } else if (a == "--quiet") {
            o.quiet = true;
        } else if (a.size() > 1 && a[0] == '-') {
            o.error = "unknown option " + a;
            return false;
        } else {
            o.args.push_back(a);
        }
    }
    return true;
}
