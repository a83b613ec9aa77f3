#pragma once
// The command line of zentaku-search.
#include <cstdint>
#include <string>
#include <vector>

struct ZTSearchOptions {
    int segment = 6;     // frames a chosen word is held
    int lookahead = 120; // frames each try is played on past its segment
    int pilotEvery = 1;  // frames between two of the pilot's decisions in a try
    int jobs = 2;        // tries played at once
    uint32_t limit = 60u * 60u * 60u;
    uint32_t until = 0;        // from this frame on the play is given up (0: never)
    int checkpointEvery = 240; // frames of play between two kept states
    int retries = 4;           // new tries from one kept state before going further back
    int spare = 1;             // a loss that leaves fewer spare tanks than this is tried again
    int field = 0;             // play this field alone, as the developer menu starts it
    int tail = 1;              // with this tail
    std::string prefix;        // a replay whose words start the play
    std::string language;      // the play's language by name; empty: Japanese, or the prefix's
    bool quiet = false;
    bool help = false;
    std::vector<std::string> args; // NEW_FILE and GAME_ROOT, as given
    std::string error;             // why the line was refused
};

extern const char* ztSearchUsage;

// False (with `error` set) when the line is not one the tool takes.
bool ztParseSearchOptions(int argc, char** argv, ZTSearchOptions& options);
