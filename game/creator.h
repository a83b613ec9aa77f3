#pragma once
// The scene factory: scene numbers 0..11.
#include <cstdint>
#include <string>

#include "engine.h"
#include "language.h"

enum ZTScene {
    ZT_SCENE_POWERON = 0,
    ZT_SCENE_TITLE = 1,
    ZT_SCENE_GAME = 2,
    ZT_SCENE_EDIT = 3,
    ZT_SCENE_SET = 4,
    ZT_SCENE_RESTART = 5,
    ZT_SCENE_NEXTER = 6,
    ZT_SCENE_REPSAVE = 7,
    ZT_SCENE_REPSELECT = 8,
    ZT_SCENE_RANKING = 9,
    ZT_SCENE_NAMING = 10,
    ZT_SCENE_KAIWA = 11,
};

class ZTCreator : public KECreator {
public:
    KilnEngine* keCreateScene(int number) override;
};

// ZTEngine: the base of every scene of the game.
class ZTEngine : public KilnEngine {
public:
    void kePostHit() override {}
    void keHit() override {}

    // What the replay selection shows of a file (replay_store.cpp).
    struct RepFileInfo {
        uint8_t valid = 0; // right magic and version, a whole header and every word it counts
        uint32_t frames = 0;
        uint32_t score = 0;
        uint32_t field = 0;
        uint32_t tail = 0;
        ZTLanguage language = ZTLanguage::Japanese; // the play's; valid only if the root has it
    };
    // The replay files in "rep"; they touch no scene state.
    static void makeReplayName(std::string& name);
    // A name already taken gets a suffix ("_2" before ".rep", then "_3", ...): a play is never
    // lost to a name collision. `savedAs`, when given, receives the name the file got.
    static bool writeReplay(const std::string& name, std::string* savedAs = nullptr);
    static void readReplayInfo(const std::string& name, RepFileInfo& info);
    static bool loadReplay(const std::string& name);
};
