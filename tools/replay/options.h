#pragma once
// The command line of zentaku-replay.
#include <string>

struct ZTReplayOptions {
    enum Mode { Verify, Pilot, Export, Video, Check, Hashes };
    Mode mode = Verify;
    std::string target; // the folder or file the mode writes or reads (not for Verify)
    std::string file;   // the replay file
    std::string root;   // the game root; empty: the current folder
    int scale = 1;      // --video: whole-number enlargement
    int minutes = 0;    // --pilot: a play of about this length (0: as the pilot plays it)
    bool help = false;
    bool version = false;
    std::string error; // why the line was refused
};

// False (with `error` set) when the line is not one the tool takes.
bool ztParseOptions(int argc, char** argv, ZTReplayOptions& options);
void ztPrintUsage(const char* tool);
void ztPrintHelp(const char* tool);
