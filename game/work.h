#pragma once
// The game work: the play in progress, the settings it started with, the four ground maps and
// the hi-score table. Exactly one exists, owned by the main form and reached through gWork.
#include <cstdint>
#include <list>
#include <string>

#include "data/score_file.h"
#include "kmath.h"
#include "language.h"

class ZTMap;

// The scores at which a play earns a tank more, in order.
constexpr uint32_t ztExtendScores[2] = {80000, 240000};

// Who drives a play that starts, and whether it is kept.
enum class ZTPlayMode : uint8_t {
    Free,     // the player's, not recorded: a continue, a field from the developer menu
    Recorded, // the player's, recorded for the table and a replay
    Replay,   // the play buffer's
};

struct ZTGameStart {
    int32_t field = 1;
    int32_t tail = 1;
    ZTPlayMode mode = ZTPlayMode::Free;
    bool mark = false; // the watched-play mark on screen; the play buffer drives, whatever the mode
};

class ZTWork {
public:
    // Loads "score.dat" (or the default table) and the four maps.
    ZTWork();
    // Writes "score.dat" (saveScores).
    ~ZTWork();
    ZTWork(const ZTWork&) = delete;
    ZTWork& operator=(const ZTWork&) = delete;

    void startGame(const ZTGameStart& start = {});
    // The older form with three flags, until its last callers move to the one above.
    void startGame(int field, int tail, bool record, bool mark, bool replay) {
        startGame({.field = field,
                   .tail = tail,
                   .mode = replay   ? ZTPlayMode::Replay
                           : record ? ZTPlayMode::Recorded
                                    : ZTPlayMode::Free,
                   .mark = mark});
    }
    void restartAfterMiss();
    void nextField();
    void addScore(uint32_t points);
    bool entryScore(const ZThiScore& entry);
    // The end of a play: a recorded one stops recording and is offered to the table. Returns the
    // scene to go to: name entry, replay save, or the title for a play that was not recorded.
    int finishPlay(bool recording);
    ZTscoreTable::iterator findNewEntry();
    void clearNewMarks();
    void reloadMaps();
    // Writes the table to "score.dat" under a fresh key. With keepSequence the key's draws are
    // given back to the random generator, so that a save between plays changes no sequence. A
    // file that was there but could not be read at start is never replaced (the log says so).
    // False when nothing was saved.
    bool saveScores(bool keepSequence = false);

    KVector playerPos{0.0f, 0.0f, 0.0f};
    int32_t field = 1;
    uint32_t score = 0;
    uint32_t extendStage = 0;
    int32_t left = 0;
    int32_t tail = 0;
    int32_t tailMax = 0;
    int32_t groundCount = 0;
    bool markFlag = false;
    bool replay = false;
    bool record = false;
    // The language the play's conversations are shown in: the setting's for a new play, the
    // file's for a replay (loaded before the replay's start, which keeps it).
    ZTLanguage language = ZTLanguage::Japanese;
    int32_t lastField = 1;
    int32_t lastTail = 1;
    ZTscoreTable scoreTable;
    uint32_t clearColor = 0;
    ZTMap* maps[4] = {};
    // "score.dat" existed at start but could not be read: the table is empty and is not saved.
    bool scoreFileUnreadable = false;
    std::string scoreFileError; // why, in the system's words
};

extern ZTWork* gWork; // defined in globals.cpp
