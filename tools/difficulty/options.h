#pragma once
// What the difficulty tool is asked to do, read from its command line.
#include <string>
#include <vector>

#include "trials.h"

struct Options {
    std::string dat;          // the map and set sources and their README
    std::string marginsPath;  // the searching player's replay, absolute; empty: none
    std::string root = ".";   // the game root that replay is played on
    std::string tablePath;    // absolute; empty: stdout
    std::string chartPath;    // absolute; empty: no chart
    int first = 1, last = 24; // the fields played
    int tries = 50, jobs = 2, startTail = 1;
    std::vector<Player> players = stockPlayers();
};

// Reads the command line into `o`, whose dat/ is the default source folder. Returns -1 to go
// on, or the exit status to end with at once: 0 after the help, 3 after a bad argument.
int readOptions(int argc, char** argv, Options& o);
