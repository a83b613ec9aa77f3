#pragma once
// The searching player's whole-game replay, played back for the report.
#include <map>
#include <string>

// On each field it played, how close, in pixels, anything that destroys the tank came to doing
// so (the closest call), and the tanks it lost there; and the play as a whole.
struct Margins {
    std::map<int, std::string> perField;
    std::string summary;
};

// Plays the replay at `path` on the dat/ (and text/) of the game root `root`, from a scratch
// folder that also receives the score file the play writes at its end. False when the file is
// not a replay or there was no scratch folder to play it in.
bool searchMargins(const std::string& path, const std::string& root, Margins& out);
