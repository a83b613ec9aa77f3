#pragma once
// Where the game root is. A folder holding pixel/ is a whole game root: the current folder wins
// when it is one, so a build's root or a folder a player prepared runs exactly as it is. Otherwise
// the installed game plays in a per-user root, $XDG_DATA_HOME/zentaku (default
// ~/.local/share/zentaku), that holds the player's files and the maps and sets the editors change,
// while pictures, sounds, music and texts are read from the installed data, share/zentaku beside
// the executable's bin/ (so a prefix moved elsewhere still finds it).
#include <string>

struct PfGameRoot {
    std::string root;  // the folder to run in
    std::string data;  // read-only data for files the root lacks; empty when the root holds all
    std::string error; // why there is no root; empty when one was found
};

// The lookup alone, from the values given: the current folder, the executable's path and the
// environment's XDG_DATA_HOME and HOME (empty when unset). Touches nothing.
PfGameRoot pfFindGameRoot(const std::string& current, const std::string& executable,
                          const std::string& xdgDataHome, const std::string& home);

// Makes a per-user root ready: the folder with its dat/ and rep/, and every map and set of the
// installed data that is missing there (a file already there is never replaced). Nothing to do
// for a root without data. False with a message in error when a folder cannot be made.
bool pfPrepareGameRoot(PfGameRoot& found);

// Both for this process: its current folder, /proc/self/exe and its environment. The current
// folder is left as it is.
PfGameRoot pfGameRoot();
