#pragma once
// The command line of zentaku-replay: one table of options, each with what it takes, which
// forms it goes with and its line of help.
#include <cstdint>
#include <string>

struct ZTReplayOptions {
    enum Mode { Verify, Pilot, Export, Video, Check, Audio, Hashes };
    Mode mode = Verify;
    std::string target;   // the folder or file the mode writes or reads (not for Verify)
    std::string file;     // the replay file
    std::string root;     // the game root; empty: the current folder
    int scale = 1;        // --export, --video: whole-number enlargement
    int minutes = 0;      // --pilot: a play of about this length (0: as the pilot plays it)
    uint32_t from = 1;    // the first frame to export (frames count from 1)
    uint32_t to = 0;      // the last frame to export; 0: the play's end
    bool volumes = false; // the player's volumes from zent.ini, not the game's own
    bool help = false;
    bool version = false;
    std::string error; // why the line was refused
};

// False (with `error` set) when the line is not one the tool takes.
bool ztParseOptions(int argc, char** argv, ZTReplayOptions& options);
void ztPrintUsage(const char* tool);
void ztPrintHelp(const char* tool);

// A frame number ("754") or a time of the play ("1:05", minutes and seconds). A time names the
// frame shown at that moment when it starts a range (1:05 is frame 3901), and the last frame
// before it when it ends one (1:05 is frame 3900). False for anything else.
bool ztParseFrameOrTime(const std::string& text, bool rangeEnd, uint32_t& frame);
