#pragma once
// Plays a replay file headless and compares its end with what the file's header says.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "data/replay_file.h"
#include "replay_run.h"

struct ZTVerdict {
    // 0 the play ended as the header says, 1 it did not (a desync), 2 not a whole replay file,
    // 3 no scratch folder to play in, or no texts in the replay's language.
    int status = 0;
    ZTReplayHeader header;
    ZTReplayOutcome outcome;
    double seconds = 0;
    std::vector<std::string> problems; // one line per difference
};

// `onFrame`, when given, is told the state hash after every frame (numbered from 1).
ZTVerdict ztVerifyReplay(const std::filesystem::path& file, const std::filesystem::path& root,
                         const std::function<void(uint32_t frame, uint64_t hash)>& onFrame = {});

// Verifies every .rep file of a folder, in name order, one line per file on stdout.
// 0 when all passed, 1 when any failed, 3 when the folder cannot be read or no scratch folder can
// be made to play in.
int ztCheckFolder(const std::filesystem::path& folder, const std::filesystem::path& root);
