// Every save the game makes, through every fault a disk can throw at it: the save reports the
// failure (a false result, the step in the log, "NG !" on the replay-save screen), the previous
// file is untouched and nothing half-written or temporary is left behind.
#include <gtest/gtest.h>

#include <functional>

#include "config.h"
#include "creator.h"
#include "data/map.h"
#include "data/set.h"
#include "engine.h"
#include "files.h"
#include "log.h"
#include "platform/files.h"
#include "scene_world.h"
#include "scenes/repsave.h"

namespace {

size_t leftovers() {
    return pfList("*.tmp*").size() + pfList("dat/*.tmp*").size() + pfList("rep/*.tmp*").size();
}

// Confirms YES on the replay-save screen and runs on until the result is shown.
bool saveReplayThroughTheScene(SceneWorld& world, std::string& shown) {
    world.input.kimRecordBuf = std::vector<uint32_t>(300, KI_BUTTON1);
    world.frame();
    world.hold(KI_BUTTON1);
    world.frame();
    world.hold(0);
    world.frames(64);
    const std::string row = world.textRow(12);
    shown = row.size() > 18 ? row.substr(18, 4) : row;
    const auto* scene = world.scene<EngineRepSave>();
    return scene && scene->saved;
}

} // namespace

TEST(SaveFaults, EverySaveKeepsThePreviousFileThroughEveryFault) {
    struct Fault {
        PfFault fault;
        const char* logged; // what the log shows of it
    };
    const Fault faults[] = {
        {PfFault::None, " Try MoveFile [OK]\n"},
        {PfFault::WriteError, " Try WriteFile [NG]\n (Input/output error)\n"},
        {PfFault::ShortWrite, " Try WriteFile [NG]\n written = "},
        {PfFault::DiskFull, " Try WriteFile [NG]\n (No space left on device)\n"},
        {PfFault::FlushError, " Try FlushFileBuffers [NG]\n (Input/output error)\n"},
        {PfFault::RenameError, " Try MoveFile [NG]\n (Input/output error)\n"},
    };
    struct Save {
        const char* path; // the file it writes; for a replay, one already in the folder
        std::function<bool(SceneWorld&, std::string&)> run;
    };
    const Save saves[] = {
        {"score.dat", [](SceneWorld& w, std::string&) { return w.work->saveScores(); }},
        {"zent.ini", [](SceneWorld&, std::string&) { return ztWriteConfig("zent.ini", {}); }},
        {"dat/m00.ztm",
         [](SceneWorld&, std::string&) { return ZTMap(nullptr, 10, 8, 7).save("dat/m00.ztm"); }},
        {"dat/s01.zts",
         [](SceneWorld&, std::string&) {
             ZTSet set;
             set.add(64, 64, 1);
             return set.save("dat/s01.zts");
         }},
        {"rep/old.rep", saveReplayThroughTheScene},
    };
    const std::vector<uint8_t> previous = {'p', 'r', 'e', 'v', 'i', 'o', 'u', 's'};
    // A plain volume has neither hard links nor rename-without-replace (FAT, exFAT).
    for (bool plain : {false, true})
        for (const Fault& f : faults)
            for (const Save& save : saves) {
                const std::string what = std::string(save.path) + " fault " +
                                         std::to_string(static_cast<int>(f.fault)) +
                                         (plain ? " plain" : "");
                SceneWorld world(ZT_SCENE_REPSAVE);
                world.drawEveryFrame = true;
                writeBytes(save.path, previous);
                klOpen("_ZT_Debug.log");
                pfSimulatePlainVolume(plain);
                pfInjectFault(f.fault);
                std::string shown;
                const bool saved = save.run(world, shown);
                pfInjectFault(PfFault::None);
                pfSimulatePlainVolume(false);
                klClose();
                const bool replay = std::string(save.path) == "rep/old.rep";
                EXPECT_EQ(saved, f.fault == PfFault::None) << what;
                if (f.fault != PfFault::None || replay)
                    EXPECT_EQ(readBytes(save.path), previous) << what;
                else
                    EXPECT_NE(readBytes(save.path), previous) << what;
                if (replay) {
                    EXPECT_EQ(shown, saved ? "OK !" : "NG !") << what;
                    EXPECT_EQ(pfList("rep/*").size(), saved ? 2u : 1u) << what;
                }
                EXPECT_EQ(leftovers(), 0u) << what;
                const std::string log = readText("_ZT_Debug.log");
                const std::string opened = replay ? std::string("<kfSave>\n open [zt")
                                                  : " open [" + std::string(save.path);
                const size_t at = log.find(opened);
                ASSERT_NE(at, std::string::npos) << what;
                EXPECT_NE(log.find(f.logged, at), std::string::npos) << what << "\n" << log;
            }
}
