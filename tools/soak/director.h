#pragma once
// The soak's player: seeded random buttons, steered so that every scene the title reaches comes
// round, and the checks of what each scene saved. It reads the live scene to choose, as a player
// looks at the screen; it never draws from the game's random generator.
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "pilot.h"

struct ZTSoakFailure {
    std::string what;
};

class ZTSoakDirector {
public:
    explicit ZTSoakDirector(uint32_t seed) : random(seed) {}

    // The button word for the coming frame. `fresh`: the live scene was made this frame.
    uint32_t next();
    // After each frame: looks at what the scene saved (maps, sets, scores, replays).
    void check();

    // Replays saved during the soak (names in rep/) and, for each, the dat/ folder it was
    // played on, copied aside so that later edits do not change what it must replay.
    struct Saved {
        std::string name;
        std::string data;
    };
    std::vector<Saved> replays;
    std::vector<ZTSoakFailure> failures;
    int fieldsEntered[25] = {}; // by field number, from the game scene's entries
    int conversations[4] = {};  // the opening, before the boss, the ending; 3: none
    int mapsSaved = 0, setsSaved = 0, scoresSaved = 0;
    std::string snapshotRoot; // where the copies of dat/ go
    bool trace = false;       // tells every scene change on stderr

private:
    enum Mission { NewGame, Replay, Ranking, Continue, Back, DevPlay, DevKaiwa, DevEdit, DevSet };
    void chooseMission();
    uint32_t title();
    uint32_t game();
    uint32_t edit();
    uint32_t setEdit();
    uint32_t naming();
    uint32_t repSave();
    uint32_t repSelect();
    uint32_t noise();
    // `bit` in a frame where it was up the frame before, else nothing: a push.
    uint32_t push(uint32_t bit) const { return (last & bit) ? 0u : bit; }
    int roll(int n) { return static_cast<int>(random() % static_cast<uint32_t>(n)); }
    void fail(const std::string& what) { failures.push_back({what}); }

    std::mt19937 random;
    uint32_t last = 0;
    int scene = -1;
    int inScene = 0; // frames of the live scene so far
    long long frame = 0;
    Mission mission = NewGame;
    int missionCount = 0;
    int devField = 0; // the next field the developer menu plays, 1..24
    int devKaiwa = 0;
    int devNumber = 1;
    int patience = 0; // frames before the player gives up the field or ends the edit
    int editStep = 0;
    int naming0 = 0;
    bool saveChecked = false;
    bool sawMenu = false;
    ZTPilot pilot;
};
