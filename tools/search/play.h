#pragma once
// The play the searching player records: the frames before and after which it picks words,
// keeps states, goes back on a loss and keeps the play at each field's start.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <vector>

#include "options.h"
#include "search.h"

// What the process that played on to the end reports to the one that waits.
struct ZTSearchOutcome {
    int status; // the exit status
    uint32_t frames, score, field, tail;
    int misses;
};

// Plays the whole game (or the one field of --field) and saves it to `target`; returns in
// whichever process carries the play to its end, which writes its outcome to `reportFd`.
int ztSearchPlay(const ZTSearchOptions& o, const std::filesystem::path& target,
                 const std::vector<uint32_t>& prefix, ZTSearchCounts& counts, int reportFd,
                 std::chrono::steady_clock::time_point start);
