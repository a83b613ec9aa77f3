#pragma once
// The model players' tries of one field after another, and what became of them field by field.
#include <string>
#include <vector>

#include "model_player.h"

struct Row {
    int field = 0;
    int tail = 0;
    std::string enemies;
    int tries = 0;
    int clearedClean = 0;    // cleared with the first tank
    int clearedWith[3] = {}; // cleared after 0, 1 and 2 misses
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
    // The chance of clearing the field after exactly `misses` misses.
    double clearsAfter(int misses) const {
        return tries && misses >= 0 && misses < 3 ? static_cast<double>(clearedWith[misses]) / tries
                                                  : 0.0;
    }
    double burstsPerTry() const { return tries ? static_cast<double>(bursts) / tries : 0.0; }
};

struct Player {
    std::string name;
    ZTModelSkill skill;
    std::vector<Row> rows;
};

// The skills the report compares: the usual player, and one a little slower and shorter-sighted
// and one a little quicker and further-sighted, with the same hands otherwise.
std::vector<Player> stockPlayers();

const Row* rowOf(const Player& p, int field);

// Plays fields first to last, `tries` tries each spread over `jobs` processes, each field
// starting with the median tail of the tries that cleared the one before; `dat` holds the set
// sources the table names each field's enemies from. Returns false when a try found no ground
// enemy on its field.
bool playFields(Player& player, int first, int last, int startTail, int tries, int jobs,
                const std::string& dat);
