#pragma once
// The choice of the searching player: every button word tried in copies of the process, each
// played on ahead, and the word whose future looked best.
#include <cstdint>
#include <map>

#include "options.h"

struct HeadlessPlatform;

// Counts shared by every process of the search, for the progress line and the summary.
struct ZTSearchCounts {
    long tries;
    long simulated;
    long backtracks;
};

class ZTSearch {
public:
    ZTSearch(HeadlessPlatform& platform, const ZTSearchOptions& options, ZTSearchCounts& counts)
        : platform(platform), o(options), counts(counts) {}

    // The word to hold for the coming segment.
    uint32_t choose();

    // How often play went back to the kept state this one came from: each time the tries look
    // further ahead.
    int variant = 0;
    // Per field: the fewest tries that came through their lookahead alive at one decision
    // (how tight the tightest moment was), and how often play went back to a kept state.
    struct Margin {
        int tightest = 99;
        int backs = 0;
        int misses = 0;
    };
    std::map<int, Margin> margins;

private:
    HeadlessPlatform& platform;
    const ZTSearchOptions& o;
    ZTSearchCounts& counts;
};

// The nine words the search tries: fire held, alone or with one of the eight directions.
extern const uint32_t ztSearchWords[9];
