#pragma once
// The report's text: each field's idea and enemies, every player's table, and the curve's
// rules checked on the tries just played.
#include <map>
#include <string>
#include <vector>

#include "margins.h"
#include "trials.h"

// What the set README says of a field: its idea, and whether it is meant as a breather.
struct FieldNote {
    std::string idea;
    bool breather = false;
};
std::map<int, FieldNote> readNotes(const std::string& dat);

// The enemies a field holds, counted from its set source, or the boss it is.
std::string enemiesOf(const std::string& dat, int field);

// The checks of the curve: the first round gets harder field by field for every player, the
// stronger player can reach the ending with the tanks the game gives, and the fields are not
// all of one length.
std::string curveChecks(const std::vector<Player>& players, const std::map<int, FieldNote>& notes);

// The whole Markdown text: the overview, each player in detail, the checks and the searching
// player's summary.
std::string reportText(const std::vector<Player>& players, const std::map<int, FieldNote>& notes,
                       const Margins& margins);

// An SVG chart of each player's share cleared without a miss, field by field. False when the
// file could not be written.
bool writeChart(const std::string& path, const std::vector<Player>& players);
