// Every save the game makes, through every fault a disk can throw at it, at every point where it
// can strike: the save reports the failure (a false result, the step in the log, "NG !" on the
// replay-save screen), the previous file is untouched and nothing half-written or temporary is
// left behind. And every save flushes its file and then its folder to the disk.
#include <gtest/gtest.h>

#include <dlfcn.h>
#include <sys/stat.h>

#include <filesystem>
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

// The real fsync, counted by what it flushed: a save that stops flushing its file or its folder
// is caught here, whatever the code around the call says.
int fileSyncs = 0;
int folderSyncs = 0;

size_t leftovers() {
    return pfList("*.tmp*").size() + pfList("dat/*.tmp*").size() + pfList("rep/*.tmp*").size();
}

// Confirms YES on the replay-save screen and runs on until the result is shown. Three thousand
// words make a file of three pieces.
bool saveReplayThroughTheScene(SceneWorld& world, std::string& shown) {
    world.input.kimRecordBuf = std::vector<uint32_t>(3000, KI_BUTTON1);
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

} // namespace

extern "C" int fsync(int fd) {
    using Fsync = int (*)(int);
    static const auto real = reinterpret_cast<Fsync>(dlsym(RTLD_NEXT, "fsync"));
    struct stat st {};
    if (::fstat(fd, &st) == 0) (S_ISDIR(st.st_mode) ? folderSyncs : fileSyncs) += 1;
    return real(fd);
}

TEST(SaveFaults, EveryFaultAtEveryPointOfEverySaveKeepsThePreviousFile) {
    struct Fault {
        PfFault fault;
        const char* logged; // what the log shows of it
    };
    const Fault faults[] = {
        {PfFault::WriteError, " Try WriteFile [NG]\n"},
        {PfFault::ShortWrite, " Try WriteFile [NG]\n written = "},
        {PfFault::DiskFull, " (No space left on device)\n"},
        {PfFault::FlushError, " Try FlushFileBuffers [NG]\n (Input/output error)\n"},
        {PfFault::RenameError, " Try MoveFile [NG]\n (Input/output error)\n"},
        {PfFault::OpenError, " (Permission denied)\n"},
        {PfFault::CloseError, " Try CloseHandle [NG]\n (Input/output error)\n"},
    };
    // A plain volume has neither hard links nor rename-without-replace (FAT, exFAT).
    for (bool plain : {false, true})
        for (const Save& save : saves) {
            const bool replay = std::string(save.path) == "rep/old.rep";
            // A clean run first: it succeeds, flushes the file and the folder, and counts the
            // points where each fault can strike.
            int points[static_cast<int>(PfFault::CloseError) + 1] = {};
            {
                SceneWorld world(ZT_SCENE_REPSAVE);
                world.drawEveryFrame = true;
                writeBytes(save.path, previous);
                pfSimulatePlainVolume(plain);
                pfResetFaultPoints();
                fileSyncs = folderSyncs = 0;
                std::string shown;
                EXPECT_TRUE(save.run(world, shown)) << save.path;
                pfSimulatePlainVolume(false);
                EXPECT_GE(fileSyncs, 1) << save.path << ": the file is not flushed";
                EXPECT_GE(folderSyncs, 1) << save.path << ": the folder is not flushed";
                if (replay) {
                    EXPECT_EQ(shown, "OK !");
                    EXPECT_EQ(pfList("rep/*").size(), 2u);
                } else {
                    EXPECT_NE(readBytes(save.path), previous) << save.path;
                }
                for (const Fault& f : faults)
                    points[static_cast<int>(f.fault)] = pfFaultPoints(f.fault);
                EXPECT_GE(points[static_cast<int>(PfFault::WriteError)], replay ? 3 : 1);
                EXPECT_GE(points[static_cast<int>(PfFault::OpenError)], replay && plain ? 2 : 1);
                EXPECT_EQ(leftovers(), 0u);
            }
            for (const Fault& f : faults)
                for (int nth = 1; nth <= points[static_cast<int>(f.fault)]; ++nth) {
                    const std::string what = std::string(save.path) + " fault " +
                                             std::to_string(static_cast<int>(f.fault)) +
                                             " at point " + std::to_string(nth) +
                                             (plain ? " plain" : "");
                    SceneWorld world(ZT_SCENE_REPSAVE);
                    world.drawEveryFrame = true;
                    writeBytes(save.path, previous);
                    klOpen("_ZT_Debug.log");
                    pfSimulatePlainVolume(plain);
                    pfInjectFault(f.fault, nth);
                    std::string shown;
                    const bool saved = save.run(world, shown);
                    pfInjectFault(PfFault::None);
                    pfSimulatePlainVolume(false);
                    klClose();
                    EXPECT_FALSE(saved) << what;
                    EXPECT_EQ(readBytes(save.path), previous) << what;
                    if (replay) {
                        EXPECT_EQ(shown, "NG !") << what;
                        EXPECT_EQ(pfList("rep/*").size(), 1u) << what;
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
}

TEST(SaveFaults, AReplacedFileKeepsItsModeAndAPlantedLinkIsNotFollowed) {
    SceneWorld world(ZT_SCENE_REPSAVE);
    writeBytes("score.dat", previous);
    ASSERT_EQ(::chmod("score.dat", 0600), 0);
    ASSERT_TRUE(world.work->saveScores());
    struct stat st {};
    ASSERT_EQ(::stat("score.dat", &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0600u);

    // A link planted under the temporary name the save picks is not written through; the save
    // passes the name over and still lands.
    writeBytes("victim", previous);
    const std::string planted = pfNextTempName("zent.ini");
    ASSERT_EQ(::symlink("victim", planted.c_str()), 0);
    EXPECT_TRUE(ztWriteConfig("zent.ini", {}));
    EXPECT_EQ(readBytes("victim"), previous);
    EXPECT_TRUE(std::filesystem::is_symlink(planted)) << "not ours to remove";
    EXPECT_NE(readText("zent.ini").find("[Screen]"), std::string::npos);
}
